#include "ui/Announcer.h"

#include <QAccessible>
#include <QString>
#include <QWidget>

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0) && defined(Q_OS_WIN)
#include <windows.h>
// BSTR, after the definitions of windows.h
#include <oleauto.h>
#elif QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
#include <QAccessibleWidget>
#endif

namespace spirex::ui {

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)

// Qt raises the announcement on every platform: AT-SPI's object:announcement, UI Automation's
// notification event, the announcement of macOS.
void Announce(QWidget& window, const QString& text, Urgency urgency) {
    QAccessibleAnnouncementEvent event(&window, text);
    event.setPoliteness(urgency == Urgency::Assertive
                            ? QAccessible::AnnouncementPoliteness::Assertive
                            : QAccessible::AnnouncementPoliteness::Polite);
    QAccessible::updateAccessibility(&event);
}

#elif defined(Q_OS_WIN)

namespace {

// UI Automation's notification event, raised on the window's own element. Windows 10 has it from
// its version 1709 on, and Wine not at all, so it is looked up as the program runs, from the
// system's own folder only.
template <typename Function>
Function UiaFunction(const char* name) {
    static const HMODULE library =
        LoadLibraryExW(L"uiautomationcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    FARPROC address = library != nullptr ? GetProcAddress(library, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

// NotificationKind_Other, NotificationProcessing_ImportantAll and NotificationProcessing_All.
constexpr int kKindOther = 4;
constexpr int kProcessingImportantAll = 0;
constexpr int kProcessingAll = 2;

} // namespace

void Announce(QWidget& window, const QString& text, Urgency urgency) {
    using HostProvider = HRESULT(WINAPI*)(HWND, IUnknown**);
    using RaiseNotification = HRESULT(WINAPI*)(IUnknown*, int, int, BSTR, BSTR);
    static const auto host = UiaFunction<HostProvider>("UiaHostProviderFromHwnd");
    static const auto raise = UiaFunction<RaiseNotification>("UiaRaiseNotificationEvent");
    IUnknown* provider = nullptr;
    if (host == nullptr || raise == nullptr ||
        FAILED(host(reinterpret_cast<HWND>(window.winId()), &provider))) {
        return;
    }
    BSTR message = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.utf16()),
                                     static_cast<UINT>(text.size()));
    BSTR activity = SysAllocString(L"Spirex");
    raise(provider, kKindOther,
          urgency == Urgency::Assertive ? kProcessingImportantAll : kProcessingAll, message,
          activity);
    SysFreeString(activity);
    SysFreeString(message);
    provider->Release();
}

#else

namespace {

// Before Qt 6.8, Qt has no announcement for AT-SPI. Orca speaks a notification's name when the
// notification is shown, and leaves out the word "notification" for one in a status bar: the
// window holds such a pair of widgets, never shown, and Qt is told that the notification shows.
const QString kStatusBar = QStringLiteral("Annunci");
const QString kNotification = QStringLiteral("Annuncio");

QAccessibleInterface* UnseenAccessible(const QString& key, QObject* object) {
    if (key != QLatin1String("QWidget")) {
        return nullptr;
    }
    if (object->objectName() == kNotification) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
    }
    if (object->objectName() == kStatusBar) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::StatusBar);
    }
    return nullptr;
}

} // namespace

void Announce(QWidget& window, const QString& text, Urgency /*urgency*/) {
    auto* notification = window.findChild<QWidget*>(kNotification);
    if (notification == nullptr) {
        static const bool installed = (QAccessible::installFactory(&UnseenAccessible), true);
        Q_UNUSED(installed)
        auto* bar = new QWidget(&window);
        bar->setObjectName(kStatusBar);
        bar->hide();
        notification = new QWidget(bar);
        notification->setObjectName(kNotification);
    }
    notification->setAccessibleName(text);
    QAccessibleEvent shown(notification, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

#endif

} // namespace spirex::ui
