#!/usr/bin/env bash
# Lists the entries of the translation catalogues that still need a translation.
# Exit status 1 when there are any.
cd "$(dirname "$0")"
status=0
for ts in o2aerolis_*.ts; do
    missing=$(grep -B1 -E '<translation type="unfinished">|<translation/>|<translation></translation>' "$ts" |
        grep -o '<source>.*</source>' | sed 's/<[^>]*source>//g')
    if [ -n "$missing" ]; then
        echo "$ts:"
        echo "$missing" | sed 's/^/    /'
        status=1
    fi
done
exit $status
