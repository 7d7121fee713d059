#!/usr/bin/env bash
# Pass-through of 40 twelve-megapixel JPEGs into one PDF, timed against copying the same bytes
# with cat and against img2pdf, in one run. Prints the median times and the ratios.
#   bench/pdf/passthrough.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/../.."
runs=${1:-7}

scripts/setup
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFOLIOFORGE_BENCH=ON >/dev/null
cmake --build build --target pdf_passthrough_bench >/dev/null

work=bench/out/pdf
mkdir -p "$work"
if [ ! -f "$work/photo-39.jpg" ]; then
    echo "making 40 JPEGs of 4000 x 3000 pixels (qualities 60 to 99)..."
    convert -size 4000x3000 plasma:fractal -seed 7 -blur 0x1 -attenuate 0.25 +noise Gaussian \
        -depth 8 "$work/base.ppm"
    for i in $(seq 0 39); do
        cjpeg -quality $((60 + i)) "$work/base.ppm" >"$work/photo-$(printf %02d "$i").jpg"
    done
    rm "$work/base.ppm"
fi
images=("$work"/photo-*.jpg)
echo "input: ${#images[@]} JPEGs, $(du -ch "${images[@]}" | tail -1 | cut -f1)"

hyperfine --warmup 1 --runs "$runs" --style basic --export-json "$work/times.json" \
    -n cat "cat ${images[*]} > $work/cat.out" \
    -n folioforge "build/bin/pdf_passthrough_bench $work/folioforge.pdf ${images[*]}" \
    -n img2pdf "img2pdf ${images[*]} -o $work/img2pdf.pdf" >/dev/null

qpdf --check "$work/folioforge.pdf" >/dev/null && echo "qpdf --check: ok"
# Memory must not grow with the page count: the same images once and ten times over.
build/bin/pdf_passthrough_bench "$work/folioforge.pdf" "${images[@]}"
build/bin/pdf_passthrough_bench "$work/many.pdf" $(for _ in $(seq 10); do echo "${images[@]}"; done)
rm -f "$work/many.pdf"
python3 - "$work/times.json" <<'PY'
import json, sys
results = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
median = {name: r["median"] for name, r in results.items()}
for name, seconds in median.items():
    print(f"{name:>10}: median {seconds * 1000:8.1f} ms  (min {results[name]['min'] * 1000:.1f})")
print(f"folioforge / cat     = {median['folioforge'] / median['cat']:.2f}  (goal: at most 2)")
print(f"img2pdf / folioforge = {median['img2pdf'] / median['folioforge']:.2f}  (goal: at least 5)")
PY
