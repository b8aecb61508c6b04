#!/usr/bin/env bash
# The archive that Qt for Windows is fetched from is read from the system's apt sources only:
# deb822 and one-line files alike, passing over disabled stanzas, comments, options and other
# releases; where none serves the release, a refusal that names the files it read.
set -uo pipefail
script=$(cd "$(dirname "$0")/../.." && pwd)/scripts/windows-qt.sh
t=$(mktemp -d)
trap 'rm -rf "$t"' EXIT
failures=0

# expect NAME WANTED: what --sources finds in the apt folder $t/NAME.
expect() {
    local got
    got=$(SPIREX_APT_ETC=$t/$1 SPIREX_APT_CODENAME=bookworm bash "$script" --sources)
    if [[ $got == "$2" ]]; then
        echo "apt sources, $1: found as expected"
    else
        echo "apt sources, $1: FAILED: found [$got], wanted [$2]"
        failures=$((failures + 1))
    fi
}

mkdir -p "$t/deb822/sources.list.d"
cat >"$t/deb822/sources.list.d/debian.sources" <<'SOURCES'
# a stanza switched off
Types: deb
URIs: http://off.example/debian
Suites: bookworm
Enabled: no

Types: deb
URIs: http://other.example/node
Suites: nodistro

Types: deb deb-src
URIs: http://mirror.example/debian/
Suites: bookworm bookworm-updates
Components: main
Signed-By:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 -----END PGP PUBLIC KEY BLOCK-----

Types: deb
URIs: http://mirror.example/debian-security
Suites: bookworm-security
SOURCES
expect deb822 $'main http://mirror.example/debian\nsecurity http://mirror.example/debian-security'

mkdir -p "$t/one-line/sources.list.d"
cat >"$t/one-line/sources.list" <<'SOURCES'
# deb http://commented.example/debian bookworm main
deb-src http://older.example/debian bullseye main
deb [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg arch=amd64] http://one.example/debian bookworm main
SOURCES
echo 'deb http://one.example/security bookworm-security main # and a comment' \
    >"$t/one-line/sources.list.d/security.list"
expect one-line $'main http://one.example/debian\nsecurity http://one.example/security'

mkdir -p "$t/none/sources.list.d"
echo 'deb http://older.example/debian bullseye main' >"$t/none/sources.list"
expect none ""
message=$(SPIREX_APT_ETC=$t/none SPIREX_APT_CODENAME=bookworm SPIREX_CACHE=$t/cache \
    bash "$script" --fonts 2>&1 >/dev/null)
if [[ $? -ne 0 && $message == *"no archive for Debian 'bookworm'"*"$t/none/sources.list,"* ]]; then
    echo "apt sources, none: refused, naming the files read"
else
    echo "apt sources, none: FAILED: $message"
    failures=$((failures + 1))
fi
exit $((failures > 0))
