#!/usr/bin/env bash
# Prints the folder of a private root holding Debian's 32-bit Wine (the same release
# as the host's wine64) and qemu's user-mode emulator, which together run the shipped
# 32-bit exe here. Nothing is installed: the packages are downloaded with an apt
# configuration of this script's own and unpacked into the root. The root lives in a
# cache outside the checkout, keyed by the packages' versions, so another clone or CI
# run reuses it; a change of any version makes a new one.
# Usage: wine32-root.sh    (QM_WINE32_CACHE overrides /var/cache/quenmark-wine32)
set -euo pipefail
cache=${QM_WINE32_CACHE:-/var/cache/quenmark-wine32}
apt_dir=$cache/apt
mkdir -p "$apt_dir/lists/partial" "$apt_dir/archives/partial" "$apt_dir/parts" "$apt_dir/prefs"
exec 9>"$cache/lock"
flock 9 # a second clone's run waits for this one's root instead of unpacking its own

# The machine's own Debian archive, with backports for a qemu that starts Wine quickly.
archive=$(awk '/^URIs:/ && !done { print $2; done = 1 }' /etc/apt/sources.list.d/debian.sources)
keyring=/usr/share/keyrings/debian-archive-keyring.gpg
cat >"$apt_dir/sources.list" <<EOF
deb [signed-by=$keyring] $archive bookworm main
deb [signed-by=$keyring] $archive bookworm-updates main
deb [signed-by=$keyring] $archive bookworm-backports main
EOF
cat >"$apt_dir/apt.conf" <<EOF
APT::Architecture "amd64";
APT::Architectures { "amd64"; "i386"; };
Dir::State::Lists "$apt_dir/lists";
Dir::Cache "$apt_dir";
Dir::Cache::Archives "$apt_dir/archives";
Dir::Etc::SourceList "$apt_dir/sources.list";
Dir::Etc::SourceParts "$apt_dir/parts";
Dir::Etc::PreferencesParts "$apt_dir/prefs";
Acquire::Languages "none";
APT::Sandbox::User "root";
EOF
export APT_CONFIG=$apt_dir/apt.conf
apt-get update -qq >"$apt_dir/update.log" 2>&1 || { cat "$apt_dir/update.log" >&2; exit 1; }

# The 32-bit Wine must be the host's release: it talks to the host's wineserver.
wine_version=$(dpkg-query -W -f '${Version}' wine64)
x_libs='libxrender1 libxi6 libxrandr2 libxcursor1 libxinerama1 libxcomposite1 libxfixes3'
wanted="wine32:i386=$wine_version libwine:i386=$wine_version $(printf '%s:i386 ' $x_libs)"
# Against the host's status, so the amd64 side it already has is left out; of what
# apt would upgrade there to match an i386 library's version, the root needs nothing.
# shellcheck disable=SC2086
closure=$(apt-get install -s --no-install-recommends $wanted |
    sed -En 's/^Inst ([^ :]+)(:[a-z0-9]+)? (\[[^]]*\] )?\(([^ ]+) [^)]*\[([a-z0-9]+)\]\).*/\1:\5=\4/p' |
    grep ':i386=' | sort)
qemu=$(apt-cache policy qemu-user | awk '/bookworm-backports/ { print prev } { prev = $1 }' |
    head -n1)
[ -n "$closure" ] && [ -n "$qemu" ] || { echo "wine32-root: cannot resolve the packages" >&2; exit 1; }
key=$( (echo "$closure"; echo "qemu-user:amd64=$qemu") | sha256sum | cut -c1-16)
root=$cache/$key
if [ -f "$root/.complete" ]; then
    echo "$root"
    exit 0
fi

echo "wine32-root: making $root" >&2
rm -rf "$root" "$root.new"
debs=$apt_dir/debs/$key
mkdir -p "$debs" "$root.new"
# shellcheck disable=SC2046
(cd "$debs" && apt-get download -qq $closure "qemu-user:amd64=$qemu") >&2
for deb in "$debs"/*.deb; do dpkg-deb -x "$deb" "$root.new"; done
rm -rf "$debs"

# The 32-bit loader shares the host's 64-bit half and data files.
ln -sfn /usr/lib/wine/wine64 "$root.new/usr/lib/wine/wine64"
rm -rf "$root.new/usr/share/wine"
ln -sfn /usr/share/wine "$root.new/usr/share/wine"
# Without a cache of its own, the i386 ld.so reads the host's and loads the wrong libc.
echo 'include /etc/ld.so.conf.d/*.conf' >"$root.new/etc/ld.so.conf"
ldconfig -r "$root.new"
touch "$root.new/.complete"
mv "$root.new" "$root"
# Roots of older package versions are no longer wanted.
find "$cache" -mindepth 1 -maxdepth 1 -type d -regextype posix-extended -regex '.*/[0-9a-f]{16}' ! -name "$key" \
    -exec rm -rf {} +
echo "$root"
