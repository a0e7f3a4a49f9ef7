#!/usr/bin/env bash
# Installs a build into a temporary prefix and checks what the desktop needs
# of it: both programs with their data, the menu entry (valid by
# desktop-file-validate) that opens .qvf files, the MIME type of .qvf files,
# and the icon as SVG and in every PNG size.
# Usage: tests/install_test.sh BUILD_DIR
set -euo pipefail
build="$1"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }
share="$prefix/share"
desktop="$share/applications/quorvel.desktop"
mime="$share/mime/packages/quorvel.xml"
for f in "$prefix/bin/quorvel" "$prefix/bin/quorvel-cli" "$share/quorvel/lang.ini" "$desktop" "$mime" \
  "$share/icons/hicolor/scalable/apps/quorvel.svg"; do
  [ -e "$f" ] || fail "not installed: ${f#"$prefix"/}"
done

desktop-file-validate "$desktop" || fail "desktop-file-validate refuses the desktop file"
grep -qx 'Exec=quorvel %f' "$desktop" || fail "the desktop file does not hand a file to the program"
grep -qx 'Icon=quorvel' "$desktop" || fail "the desktop file names another icon"

# The desktop file's MIME type is the one the MIME package defines, for *.qvf;
# every PNG has the size of its folder.
python3 - "$desktop" "$mime" "$share/icons/hicolor" <<'PY' || exit 1
import struct, sys, xml.etree.ElementTree as ET
desktop, mime, icons = sys.argv[1:]
types = [l.split("=", 1)[1].strip().rstrip(";").split(";") for l in open(desktop) if l.startswith("MimeType=")][0]
ns = {"m": "http://www.freedesktop.org/standards/shared-mime-info"}
root = ET.parse(mime).getroot()
defined = {t.get("type"): [g.get("pattern") for g in t.findall("m:glob", ns)] for t in root.findall("m:mime-type", ns)}
if types != ["application/x-quorvel-project"] or defined.get(types[0]) != ["*.qvf"]:
    sys.exit(f"FAIL: desktop file types {types}, MIME package {defined}")
for size in (16, 32, 48, 64, 128, 256):
    path = f"{icons}/{size}x{size}/apps/quorvel.png"
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n" or struct.unpack(">II", head[16:24]) != (size, size):
        sys.exit(f"FAIL: {path} is no {size}x{size} PNG")
PY

# The installed programs find their data in the prefix.
home="$prefix/home"
mkdir -p "$home"
env -u QUORVEL_DATA_DIR HOME="$home" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" \
  "$prefix/bin/quorvel-cli" new -o "$home/new.qvf" || fail "the installed quorvel-cli cannot make a project"
env -u QUORVEL_DATA_DIR HOME="$home" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" \
  "$prefix/bin/quorvel-cli" check "$home/new.qvf" >/dev/null || fail "the new project does not load"
echo "install: complete"
