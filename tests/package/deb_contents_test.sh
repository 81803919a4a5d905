#!/usr/bin/env bash
# Builds the Debian package from a build tree and checks it: exactly the expected files
# with the expected modes, owned by root; a Depends computed from the programs' shared
# libraries; a file name and manual pages that carry the project's version (help2man
# reads it from each program's --version).
# Usage: deb_contents_test.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack"; }
deb=$work/lg81xx_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $(basename "$deb") among: $(ls "$work")"

programs=(lg81xx lg81xx-cli lg81xx-sim)
expected=()
for p in "${programs[@]}"; do expected+=("-rwxr-xr-x ./usr/bin/$p" "-rw-r--r-- ./usr/share/man/man1/$p.1.gz"); done
expected+=(
  "-rw-r--r-- ./usr/share/applications/lg81xx.desktop"
  "-rw-r--r-- ./usr/share/icons/hicolor/scalable/apps/lg81xx.svg"
  "-rw-r--r-- ./usr/share/lg81xx/LG81XX.ini"
  "-rw-r--r-- ./usr/lib/udev/rules.d/70-lg81xx.rules"
  "-rw-r--r-- ./usr/share/doc/lg81xx/copyright"
  "-rw-r--r-- ./usr/share/doc/lg81xx/changelog.gz"
  "-rw-r--r-- ./usr/share/doc/lg81xx/examples/Saluti.jad"
  "-rw-r--r-- ./usr/share/doc/lg81xx/examples/Saluti.jar"
  "-rw-r--r-- ./usr/share/doc/lg81xx/examples/tono.mid"
)
# dpkg-deb -c: mode, owner/group, size, date, time, path.
listing=$(dpkg-deb -c "$deb")
if grep -qv ' root/root ' <<<"$listing"; then fail "entries not owned by root: $(grep -v ' root/root ' <<<"$listing")"; fi
if grep '^d' <<<"$listing" | grep -qv '^drwxr-xr-x'; then fail "directories not 755: $(grep '^d' <<<"$listing" | grep -v '^drwxr-xr-x')"; fi
actual=$(grep -v '^d' <<<"$listing" | awk '{print $1, $6}' | sort)
diff <(printf '%s\n' "${expected[@]}" | sort) <(echo "$actual") || fail "the files differ (< expected, > packaged)"

depends=$(dpkg-deb -f "$deb" Depends)
depended=$(sed 's/ *([^)]*)//g; s/, /\n/g' <<<"$depends")  # the package names, one a line
for library in libc6 libstdc++6 libqt6core6 libqt6widgets6 libqt6serialport6 libzip4 qt6-qpa-plugins qt6-translations-l10n; do
  grep -qxF "$library" <<<"$depended" || fail "Depends lacks $library: $depends"
done

dpkg-deb -x "$deb" "$work/root"
for p in "${programs[@]}"; do
  zcat "$work/root/usr/share/man/man1/$p.1.gz" | grep -q "^\.TH .* \"$p $version\"" || fail "$p.1 does not name $p $version"
done
# The examples: the descriptor states the archive's size, the archive is a JAR, the tone MIDI.
examples=$work/root/usr/share/doc/lg81xx/examples
grep -q "^MIDlet-Jar-Size: $(stat -c %s "$examples/Saluti.jar")"$'\r'"\$" "$examples/Saluti.jad" || fail "Saluti.jad: wrong MIDlet-Jar-Size"
grep -q "^MIDlet-Jar-URL: Saluti.jar"$'\r'"\$" "$examples/Saluti.jad" || fail "Saluti.jad: wrong MIDlet-Jar-URL"
[ "$(head -c 4 "$examples/Saluti.jar")" = PK$'\x03\x04' ] && grep -q META-INF/MANIFEST.MF "$examples/Saluti.jar" || fail "Saluti.jar is not a JAR"
[ "$(head -c 4 "$examples/tono.mid")" = MThd ] || fail "tono.mid is not a MIDI file"
echo "ok: $(basename "$deb"), Depends: $depends"
