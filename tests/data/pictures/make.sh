#!/usr/bin/env bash
# Remakes the picture files of the decoding tests and the pixels other
# decoders read from them (netpbm, libjpeg-turbo's djpeg, ImageMagick).
# Needs python3, netpbm, libjpeg-turbo-progs and imagemagick; the build does not.
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# 32 x 16: four coloured quarters, a transparent square, a white square, a
# half-transparent quarter and a row of changing colours.
python3 - "$work/src.pam" <<'PY'
import sys
w, h = 32, 16
px = []
for y in range(h):
    for x in range(w):
        if x < 16 and y < 8: c = (220, 30, 40, 255)
        elif y < 8: c = (30, 180, 60, 255)
        elif x < 16: c = (40, 60, 210, 255)
        else: c = (250, 240, 20, 128)
        if 4 <= x < 8 and 4 <= y < 8: c = (0, 0, 0, 0)
        if 20 <= x < 24 and y < 4: c = (255, 255, 255, 255)
        if y == 12 and x < 16: c = (x * 16, 255 - x * 16, 128, 255)
        px.append(c)
with open(sys.argv[1], 'wb') as f:
    f.write(b"P7\nWIDTH %d\nHEIGHT %d\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n" % (w, h))
    f.write(bytes(v for c in px for v in c))
PY
pamtopng "$work/src.pam" > "$work/src.png"
pngtopam "$work/src.png" > "$work/src.ppm"
pngtopam -alphapam "$work/src.png" > blocks.pam
pamtotga -norle < blocks.pam > blocks32.tga
pamtotga -norle -rgb < "$work/src.ppm" > blocks24.tga
cjpeg -quality 90 "$work/src.ppm" > blocks.jpg
cjpeg -quality 90 -progressive "$work/src.ppm" > blocks-progressive.jpg
cjpeg -quality 90 -grayscale "$work/src.ppm" > blocks-grey.jpg
for f in blocks.jpg blocks-progressive.jpg; do djpeg -pnm "$f" > "$f.ppm"; done
djpeg -pnm blocks-grey.jpg > blocks-grey.jpg.pgm
for c in dxt1 dxt5 none; do
  convert "$work/src.png" -define dds:compression=$c -define dds:mipmaps=0 blocks-$c.dds
done
convert "$work/src.png" -define dds:compression=dxt1 -define dds:mipmaps=5 blocks-dxt1-mips.dds
convert "$work/src.png" -define dds:compression=none -define dds:mipmaps=5 blocks-none-mips.dds
convert "$work/src.ppm" -define dds:compression=none -define dds:mipmaps=0 blocks-rgb.dds
for f in blocks-dxt1.dds blocks-dxt5.dds; do convert "$f" -depth 8 pam:"$f.pam"; done
