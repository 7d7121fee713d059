#!/usr/bin/env bash
# Times folioforge-cli against other ways of putting the same images into PDF, in one run, and
# prints a table of times, ratios and peak memory. Builds its corpus on first use in bench/out/.
#   bench/conversion_bench.sh [runs]      (best of runs, default 3)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-3}
out=bench/out
corpus=$out/corpus
cli=build/bin/folioforge-cli
[ -x "$cli" ] || { echo "build first: cmake --build build" >&2; exit 1; }
command -v /usr/bin/time >/dev/null || { echo "needs /usr/bin/time (package time)" >&2; exit 1; }

# Debian's ImageMagick policy forbids writing PDF, and a local policy file cannot lift a system
# "none". convert therefore re-encodes the JPEGs into JPEG files: the same decode and encode work
# without the PDF wrapping, so its time is a lower bound of a PDF run.

make_corpus() {
    mkdir -p "$corpus/jpeg" "$corpus/png" "$corpus/jpeg10"
    [ -f "$corpus/done" ] && return
    echo "building the corpus (once)..." >&2
    convert -size 1000x750 plasma:fractal -blur 0x1 -resize 4000x3000! "$out/base.ppm"
    for i in $(seq -w 1 40); do
        convert "$out/base.ppm" -roll +$((10#$i * 97))+$((10#$i * 53)) -modulate 100,$((80 + 10#$i)),$((90 + 10#$i)) \
            +noise Gaussian -attenuate 0.3 -density 300 -units PixelsPerInch -quality 90 \
            "$corpus/jpeg/photo$i.jpg"
    done
    for i in $(seq -w 1 20); do
        convert "$out/base.ppm" -roll +$((10#$i * 61))+$((10#$i * 29)) -resize 2000x1500! \
            -modulate 100,$((80 + 10#$i)) -depth 8 "$corpus/png/shot$i.png"
    done
    cp "$corpus"/jpeg/photo0{1..9}.jpg "$corpus/jpeg/photo10.jpg" "$corpus/jpeg10/"
    touch "$corpus/done"
}

# best_of COMMAND...: prints "seconds peak_kb" of the fastest of $runs runs.
best_of() {
    local best="" peak=0
    for _ in $(seq "$runs"); do
        local start end kb
        start=$(date +%s.%N)
        /usr/bin/time -o "$out/time.txt" -f "%M" "$@" >/dev/null 2>&1
        end=$(date +%s.%N)
        kb=$(tail -1 "$out/time.txt")
        local t
        t=$(echo "$end - $start" | bc)
        if [ -z "$best" ] || (( $(echo "$t < $best" | bc) )); then best=$t; fi
        (( kb > peak )) && peak=$kb
    done
    echo "$best $peak"
}

row() { printf "%-44s %8.2f s %8d MB\n" "$1" "$2" "$(( $3 / 1024 ))"; }
ratio() { printf "  %-42s %8.2f x  (target %s)\n" "$1" "$(echo "$2 / $3" | bc -l)" "$4"; }

make_corpus
jpegs=("$corpus"/jpeg/*.jpg)
pngs=("$corpus"/png/*.png)
ten=("$corpus"/jpeg10/*.jpg)
t=$out/tmp
mkdir -p "$t"

echo "40 JPEGs 4000x3000, keep mode"
read -r ff ffm < <(best_of "$cli" -q -o "$t/ff.pdf" "${jpegs[@]}")
read -r ct ctm < <(best_of sh -c 'cat "$@" > '"$t"'/cat.bin' sh "${jpegs[@]}")
read -r i2 i2m < <(best_of img2pdf -o "$t/i2.pdf" "${jpegs[@]}")
row "folioforge-cli" "$ff" "$ffm"; row "cat" "$ct" "$ctm"; row "img2pdf" "$i2" "$i2m"
ratio "folioforge / cat" "$ff" "$ct" "<= 2"
ratio "img2pdf / folioforge" "$i2" "$ff" ">= 5"

echo "20 PNGs 2000x1500, keep mode"
read -r fp fpm < <(best_of "$cli" -q -o "$t/fp.pdf" "${pngs[@]}")
read -r ip ipm < <(best_of img2pdf -o "$t/ip.pdf" "${pngs[@]}")
row "folioforge-cli" "$fp" "$fpm"; row "img2pdf" "$ip" "$ipm"
ratio "img2pdf / folioforge" "$ip" "$fp" ">= 10"

echo "10 JPEGs re-encoded at quality 30"
read -r fq fqm < <(best_of "$cli" -q --encode jpeg --quality 30 -o "$t/fq.pdf" "${ten[@]}")
read -r cq cqm < <(best_of convert "${ten[@]}" -quality 30 "$t/cq-%02d.jpg")
read -r dq dqm < <(best_of sh -c 'for f; do djpeg "$f" | cjpeg -quality 30 > '"$t"'/dq.jpg; done' sh "${ten[@]}")
row "folioforge-cli" "$fq" "$fqm"; row "convert -quality 30 (to JPEG files)" "$cq" "$cqm"
row "djpeg | cjpeg -quality 30" "$dq" "$dqm"
ratio "convert / folioforge" "$cq" "$fq" ">= 4"
ratio "folioforge / djpeg|cjpeg" "$fq" "$dq" "<= 1.3"

echo "40 JPEGs re-encoded (memory)"
read -r fm fmm < <(best_of "$cli" -q --encode jpeg -o "$t/fm.pdf" "${jpegs[@]}")
row "folioforge-cli --encode jpeg" "$fm" "$fmm"
echo "  peak memory target: < 200 MB"
