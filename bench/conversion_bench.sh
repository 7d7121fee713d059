#!/usr/bin/env bash
# Times folioforge-cli against other ways of putting the same images into PDF, in one run, and
# prints every row of the speed table: times, ratios to the targets and peak memory, with one
# worker and with one per hardware thread, plus a scaling row (many small images). Builds its
# corpus on first use in bench/out/. Hold the build lock while it runs, so nothing else competes:
#   flock /tmp/ff-build.lock bash bench/conversion_bench.sh [runs]      (best of runs, default 3)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-3}
out=bench/out
corpus=$out/corpus
cli=${FOLIOFORGE_CLI:-build/bin/folioforge-cli}  # another build to compare with
[ -x "$cli" ] || { echo "build first: cmake --build build" >&2; exit 1; }
command -v /usr/bin/time >/dev/null || { echo "needs /usr/bin/time (package time)" >&2; exit 1; }

# Debian's ImageMagick policy forbids writing PDF, and a local policy file cannot lift a system
# "none". convert therefore re-encodes the JPEGs into JPEG files: the same decode and encode work
# without the PDF wrapping, so its time is a lower bound of a PDF run.

make_corpus() {
    mkdir -p "$corpus/jpeg" "$corpus/png" "$corpus/jpeg10"
    make_small_corpus
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

# Small images for the scaling row: a few distinct files, copied under many names.
make_small_corpus() {
    mkdir -p "$corpus/small-jpeg" "$corpus/small-png"
    [ -f "$corpus/small-done" ] && return
    echo "building the small-image corpus (once)..." >&2
    for v in 0 1 2 3; do
        convert -size 160x120 plasma:fractal -seed "$v" -quality 85 "$out/small$v.jpg"
        convert -size 120x90 plasma:fractal -seed "$v" -depth 8 "$out/small$v.png"
    done
    for i in $(seq -w 1 400); do cp "$out/small$((10#$i % 4)).jpg" "$corpus/small-jpeg/s$i.jpg"; done
    for i in $(seq -w 1 4000); do cp "$out/small$((10#$i % 4)).png" "$corpus/small-png/s$i.png"; done
    touch "$corpus/small-done"
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

row() { printf "%-46s %8.3f s %6d MB\n" "$1" "$2" "$(( $3 / 1024 ))"; }
ratio() {
    printf "  %-44s %8.2f x  (target %s)\n" "$1" "$(echo "$2 / $3" | bc -l)" "$4"
}
per_page() { printf "  %-44s %8.3f ms per page\n" "$1" "$(echo "$2 * 1000 / $3" | bc -l)"; }

make_corpus
jpegs=("$corpus"/jpeg/*.jpg)
pngs=("$corpus"/png/*.png)
ten=("$corpus"/jpeg10/*.jpg)
small_jpegs=("$corpus"/small-jpeg/*.jpg)
small_pngs=("$corpus"/small-png/*.png)
t=$out/tmp
mkdir -p "$t"
hw=$(nproc)
# One pass per worker count; a build without --jobs gets a single pass with its own default.
worker_counts=(1 "$hw")
"$cli" --help 2>/dev/null | grep -q -- --jobs || worker_counts=(default)
ff() {
    local jobs=$1
    shift
    if [ "$jobs" = default ]; then best_of "$cli" -q "$@"; else best_of "$cli" -q --jobs "$jobs" "$@"; fi
}

echo "== peers"
read -r ct ctm < <(best_of sh -c 'cat "$@" > '"$t"'/cat.bin && sync '"$t"'/cat.bin' sh "${jpegs[@]}")
read -r i2 i2m < <(best_of img2pdf -o "$t/i2.pdf" "${jpegs[@]}")
read -r ip ipm < <(best_of img2pdf -o "$t/ip.pdf" "${pngs[@]}")
read -r cq cqm < <(best_of convert "${ten[@]}" -quality 30 "$t/cq-%02d.jpg")
read -r dq dqm < <(best_of sh -c 'for f; do djpeg "$f" | cjpeg -quality 30 > '"$t"'/dq.jpg; done' sh "${ten[@]}")
row "40 JPEGs: cat then fsync" "$ct" "$ctm"
row "40 JPEGs: img2pdf" "$i2" "$i2m"
row "20 PNGs: img2pdf" "$ip" "$ipm"
row "10 JPEGs q30: convert (to JPEG files)" "$cq" "$cqm"
row "10 JPEGs q30: djpeg | cjpeg" "$dq" "$dqm"

for jobs in "${worker_counts[@]}"; do
    echo "== folioforge-cli --jobs $jobs"
    read -r fk fkm < <(ff "$jobs" -o "$t/fk.pdf" "${jpegs[@]}")
    row "40 JPEGs 4000x3000, kept" "$fk" "$fkm"
    ratio "folioforge / cat then fsync" "$fk" "$ct" "<= 1.1"
    ratio "img2pdf / folioforge" "$i2" "$fk" "faster"
    read -r fp fpm < <(ff "$jobs" -o "$t/fp.pdf" "${pngs[@]}")
    row "20 PNGs 2000x1500, kept" "$fp" "$fpm"
    ratio "img2pdf / folioforge" "$ip" "$fp" ">= 10"
    read -r fq fqm < <(ff "$jobs" --encode jpeg --quality 30 -o "$t/fq.pdf" "${ten[@]}")
    row "10 JPEGs to quality 30" "$fq" "$fqm"
    ratio "folioforge / djpeg|cjpeg" "$fq" "$dq" "<= 0.65 on every core"
    ratio "convert / folioforge" "$cq" "$fq" ">= 4"
    read -r fm fmm < <(ff "$jobs" --encode jpeg -o "$t/fm.pdf" "${jpegs[@]}")
    row "40 JPEGs re-encoded (peak memory)" "$fm" "$fmm"
    echo "  peak memory target: < 200 MB, and flat as the count grows (10 JPEGs: ${fqm} KB)"
    read -r fs fsm < <(ff "$jobs" -o "$t/fs.pdf" "${small_jpegs[@]}")
    row "scaling: 400 small JPEGs, kept" "$fs" "$fsm"
    per_page "400 small JPEGs" "$fs" 400
    read -r fn fnm < <(ff "$jobs" -o "$t/fn.pdf" "${small_pngs[@]}")
    row "scaling: 4000 small PNGs, kept" "$fn" "$fnm"
    per_page "4000 small PNGs" "$fn" 4000
    per_page "20 PNGs 2000x1500 (for comparison)" "$fp" 20
done
