#!/usr/bin/env bash
# What `make install DESTDIR=ROOT PREFIX=/usr` put under ROOT: exactly the files that belong to an
# install, icons of the sizes their folders name, metadata that AppStream accepts as a tree, and
# a binary that runs.
set -uo pipefail
root=$1
status=0
sizes=(16 22 24 32 48 64 128 256)
expected=(
    usr/bin/zettelwerk
    usr/share/applications/zettelwerk.desktop
    usr/share/bash-completion/completions/zettelwerk
    usr/share/icons/hicolor/scalable/apps/zettelwerk.svg
    usr/share/man/man1/zettelwerk.1
    usr/share/metainfo/example.zettelwerk.Zettelwerk.metainfo.xml
)
for size in "${sizes[@]}"; do expected+=("usr/share/icons/hicolor/${size}x$size/apps/zettelwerk.png"); done

if ! diff -u --label expected --label installed <(printf '%s\n' "${expected[@]}" | sort) \
    <(cd "$root" && find . ! -type d | sed 's|^\./||' | sort); then
    status=1
fi
for size in "${sizes[@]}"; do
    png=$root/usr/share/icons/hicolor/${size}x$size/apps/zettelwerk.png
    # Width and height are the big-endian words at bytes 16 and 20 of a PNG.
    read -r w1 w2 w3 w4 h1 h2 h3 h4 < <(od -An -tu1 -j16 -N8 "$png")
    width=$((w1 << 24 | w2 << 16 | w3 << 8 | w4)) height=$((h1 << 24 | h2 << 16 | h3 << 8 | h4))
    if [[ $width != "$size" || $height != "$size" ]]; then
        echo "$png is ${width}x$height"
        status=1
    fi
done
[[ -x $root/usr/bin/zettelwerk ]] && "$root/usr/bin/zettelwerk" --version || status=1
appstreamcli validate-tree --no-net "$root" || status=1
exit $status
