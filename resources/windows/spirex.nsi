; Spirex's installer for Windows, built by makensis (scripts/windows-package.sh). It installs for
; the current user, without administrator rights, into the user's programs folder; adds a
; Start-menu shortcut and an entry in "Apps" / "Programs and Features"; its uninstaller removes
; every file it installed, the shortcut and the entry. /S installs or uninstalls silently.
;
; Defined on the command line:
;   VERSION     the program's version, such as 1.1.0
;   PUBLISHER   the publisher shown in the Apps list
;   ICON        the program's icon (.ico)
;   OUTFILE     the installer to write
;   SIZE_KB     the installed size in KiB, shown in the Apps list
;   FILES       an include with one File line per file, in order
;   UNFILES     an include with one Delete line per file and one RMDir line per folder

; A 64-bit installer for a 64-bit program.
Target amd64-unicode
SetCompressor /SOLID lzma
; No time stamps in the installer: the same files make the same bytes.
SetDateSave off
RequestExecutionLevel user

!include "LogicLib.nsh"
!include "MUI2.nsh"
!include "WinVer.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Spirex"

Name "Spirex ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Spirex"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Spirex ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1040 "ProductName" "Spirex"
VIAddVersionKey /LANG=1040 "FileDescription" "Installazione di Spirex ${VERSION}"
VIAddVersionKey /LANG=1040 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1040 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1040 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1040 "LegalCopyright" "MIT, The Spirex developers"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\spirex.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Italian"

Var previous ; the folder of an installed version, if any

Function .onInit
    ; The Qt that Spirex is built on runs on 64-bit Windows 10 and 11. On an older Windows the
    ; installer says so and ends before it installs anything (exit code 2; /S ends silently).
    ${IfNot} ${AtLeastWin10}
        MessageBox MB_OK|MB_ICONSTOP "Spirex richiede Windows 10 o Windows 11 a 64 bit e non può essere installato su questa versione di Windows. Non è stato installato nulla." /SD IDOK
        Abort
    ${EndIf}
    SetShellVarContext current
    ReadRegStr $previous HKCU "${UNINSTALL_KEY}" "InstallLocation"
FunctionEnd

Section "Spirex"
    SetShellVarContext current
    ; An installed version goes first, by its own uninstaller, which knows its own files: a newer
    ; version leaves no file of an older one behind, and one entry in the Apps list.
    ${If} $previous != ""
    ${AndIf} ${FileExists} "$previous\uninstall.exe"
        ExecWait '"$previous\uninstall.exe" /S _?=$previous'
        Delete "$previous\uninstall.exe"
        RMDir "$previous"
    ${EndIf}

    SetOutPath "$INSTDIR"
    !include "${FILES}"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    SetOutPath "$INSTDIR"
    CreateShortcut "$SMPROGRAMS\Spirex.lnk" "$INSTDIR\spirex.exe" "" "$INSTDIR\spirex.exe" 0

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Spirex"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\spirex.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    SetShellVarContext current
    !include "${UNFILES}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Spirex.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
