#!/usr/bin/env bash
# The AppStream metainfo is valid offline, its screenshots are the README's, and its newest
# release is the version being built.
set -uo pipefail
metainfo=$1 screenshots=$2 version=$3
status=0
appstreamcli validate --no-net "$metainfo" || status=1
while read -r url; do
    file=${url#https://zettelwerk.example/docs/screenshots/}
    if [[ $file == "$url" || ! -f $screenshots/$file ]]; then
        echo "not a picture in docs/screenshots: $url"
        status=1
    fi
done < <(grep -oE '<image[^>]*>[^<]+' "$metainfo" | sed 's/.*>//')
newest=$(grep -oE '<release version="[^"]+"' "$metainfo" | head -1 | cut -d'"' -f2)
if [[ $newest != "$version" ]]; then
    echo "newest release in the metainfo is $newest, the project is $version"
    status=1
fi
exit $status
