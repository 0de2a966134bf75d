#include "Web.h"

#include "Background.h"
#include "Images.h"
#include "common/Canvas.h"
#include "common/Flower.h"

#include <cmath>
#include <string>

namespace NDataGen
{
namespace
{
Bytes Wallpaper(int width, int height, uint32_t seed, bool coins)
{
    cairo_surface_t* surface = NewSurface(width, height);
    cairo_t* cr = cairo_create(surface);
    PaintMeadow(cr, width, height, seed);
    CRng rng(seed * 31 + 5);
    double unit = height / 1080.0;
    // Drifts of flowers along the bottom, thinning out upwards.
    for (int i = 0; i < 220; ++i)
    {
        double y = height * (1.0 - std::pow(rng.Range(0, 1), 2.2) * 0.75);
        double x = rng.Range(-40, width + 40);
        double r = unit * rng.Range(22, 48) * (0.5 + 0.7 * y / height);
        cairo_save(cr);
        cairo_translate(cr, x, y);
        DrawFlower(cr, rng.Int(6), r, rng.Range(0, 6.28));
        cairo_restore(cr);
    }
    if (coins)
    {
        for (int i = 0; i < 14; ++i)
        {
            cairo_save(cr);
            cairo_translate(cr, rng.Range(0.1, 0.9) * width, rng.Range(0.36, 0.62) * height);
            DrawCoin(cr, rng.Int(5), unit * rng.Range(24, 40), rng.Range(-0.8, 0.8));
            cairo_restore(cr);
        }
    }
    SetFont(cr, EFont::SerifBold, 150 * unit);
    DrawLabel(cr, "Zonvel", width / 2.0, height * 0.24, Rgb(0xFFFFFF), Rgb(0x2E6F35), 14 * unit);
    cairo_destroy(cr);
    Bytes bytes = EncodeJpeg(surface, 88);
    cairo_surface_destroy(surface);
    return bytes;
}

const char* kStyle = R"(<style>
body{margin:0;font-family:"DejaVu Sans",Verdana,sans-serif;background:#bfe6a0;color:#2b2140}
header{background:linear-gradient(#7fcf5f,#4fa84a);color:#fff;padding:24px 40px;text-shadow:0 2px 2px #2e6f35}
h1{margin:0;font-size:44px}main{max-width:960px;margin:24px auto;padding:0 24px}
.card{background:#fff8e4;border-radius:16px;padding:20px 28px;margin-bottom:20px;box-shadow:0 3px 8px rgba(0,0,0,.15)}
img{max-width:100%;border-radius:12px}a{color:#2f56b0}
</style>)";
} // namespace

void AddWebPages(CDataWriter& out)
{
    out.AddLoose("web/zonvel_wallpaper_meadow.jpg", Wallpaper(1920, 1080, 3, false));
    out.AddLoose("web/zonvel_wallpaper_coins.jpg", Wallpaper(1920, 1080, 8, true));

    std::string about = std::string("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>About Zonvel</title>") +
                        kStyle + R"(</head><body>
<header><h1>Zonvel</h1><p>A hex colour-flood puzzle among the flowers.</p></header>
<main>
<div class="card"><h2>How to play</h2>
<p>You start at the middle of the left edge, your rival at the middle of the right edge. Pick a colour:
your whole zone takes it and joins every neighbouring flower of that colour. Meadow that your rival can no
longer reach becomes yours at once. When every flower belongs to a zone, the larger zone wins the level.</p>
<p>Insects drop coins on the field; capture them and spend the money on eleven bonuses, from repainting a
single flower to making your rival miss a turn.</p></div>
<div class="card"><h2>Two games</h2><p>The classic game and the advanced game each have their own
levels, their own best level and their own table of the seven best players.</p></div>
<div class="card"><h2>Made with</h2><p>C++, SDL2 and OpenGL. All pictures, sounds and music are generated
by the game's own tools. Fonts: DejaVu.</p>
<p><a href="gifts.html">Free wallpapers</a></p></div>
</main></body></html>
)";
    out.AddLoose(kAboutPage, about);

    std::string gifts = std::string("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Zonvel gifts</title>") +
                        kStyle + R"(</head><body>
<header><h1>Gifts</h1><p>Wallpapers from the meadow, free for your desktop.</p></header>
<main>
<div class="card"><h2>Meadow</h2><a href="zonvel_wallpaper_meadow.jpg"><img src="zonvel_wallpaper_meadow.jpg" alt="Meadow wallpaper"></a><p>1920 x 1080</p></div>
<div class="card"><h2>Lucky coins</h2><a href="zonvel_wallpaper_coins.jpg"><img src="zonvel_wallpaper_coins.jpg" alt="Coins wallpaper"></a><p>1920 x 1080</p></div>
<p><a href="about.html">About Zonvel</a></p>
</main></body></html>
)";
    out.AddLoose(kGiftsPage, gifts);
}
} // namespace NDataGen
