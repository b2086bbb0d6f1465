#!/usr/bin/env bash
# Builds the Debian package with CPack and inspects it. With --install-check
# (as root) it also installs the package, runs korvix --check on the installed
# example, removes the package and checks that nothing of it is left.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
(cd build && cpack -G DEB)
deb=$(ls -t build/korvix_*.deb | head -n 1)
echo "Package: $deb"

dpkg-deb --info "$deb"
contents=$(dpkg-deb --contents "$deb")
for path in ./usr/bin/korvix ./usr/share/applications/korvix.desktop \
            ./usr/share/icons/hicolor/scalable/apps/korvix.svg ./usr/share/icons/hicolor/48x48/apps/korvix.png \
            ./usr/share/man/man1/korvix.1 ./usr/share/man/ru/man1/korvix.1 \
            ./usr/share/korvix/examples/moskva-sever.xml ./usr/share/korvix/translations/qtbase_ru.qm; do
    if ! grep -q " $path" <<<"$contents" && ! grep -q " ${path}.gz" <<<"$contents"; then
        echo "package.sh: $path is missing from the package" >&2
        exit 1
    fi
done
depends=$(dpkg-deb --field "$deb" Depends)
for needed in libqt6widgets6 libqt6core6 libxml2 fonts-liberation2 libqt6svg6; do
    if ! grep -q "$needed" <<<"$depends"; then
        echo "package.sh: Depends lacks $needed: $depends" >&2
        exit 1
    fi
done
echo "Depends: $depends"

if [ "${1:-}" = "--install-check" ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "package.sh: --install-check needs root" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get install -y -q "./$deb"
    /usr/bin/korvix --version
    /usr/bin/korvix --check /usr/share/korvix/examples/moskva-sever.xml
    apt-get remove -y -q korvix
    if [ -e /usr/bin/korvix ] || [ -e /usr/share/korvix ] || dpkg -s korvix 2>/dev/null | grep -q '^Status: install'; then
        echo "package.sh: the package did not remove cleanly" >&2
        exit 1
    fi
    echo "Installed, ran and removed cleanly."
fi
