// The web page's run built natively, so that its frames must equal the
// page's pixel for pixel: the same adapter over the tables, drawing on the
// Linux tests' pixel canvas, or, for the text savers, on the page's canvas
// with the glyphs the page made.
//
//   web_reference SAVER W H TICKS SEED GLYPHS START OUT [OPTION=TEXT]...
//     SAVER the saver's name (orbel); SEED the page's seed=; GLYPHS the
//     page's glyph text, or - for the pixel canvas; START the raw RGBA
//     picture the run starts on, or - for black; OUT the raw RGBA frame
//     after TICKS ticks; OPTION=TEXT a setting as the page stores it.
//   web_reference --time ... the same, and each tick's time instead of OUT
//   web_reference --step COUNT W H TICKS: Orbel's step alone, ms a tick, by kernel
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "frame_canvas.h"
#include "orbel_kernel.h"
#include "pixel_canvas.h"
#include "web_tables.h"

namespace {

// Glyphs from the page's text: a character the page never made is a fault.
class GlyphFile final : public GlyphRasteriser {
public:
    bool Load(const char* path)
    {
        std::ifstream in(path);
        std::string line;
        while (std::getline(in, line)) {
            std::istringstream s(line);
            std::string kind;
            s >> kind;
            if (kind == "font") {
                int index, height, bold, italic;
                s >> index >> height >> bold >> italic;
                std::string face;
                std::getline(s >> std::ws, face);
                fonts_[{face, height, bold != 0, italic != 0}] = index;
            } else if (kind == "glyph") {
                int font, ch, advance, count;
                s >> font >> ch >> advance >> count;
                Entry& e = glyphs_[{font, ch}];
                e.Advance = advance;
                e.Spans.resize(static_cast<size_t>(count));
                for (GlyphSpan& g : e.Spans) {
                    int y, l, r;
                    s >> y >> l >> r;
                    g = GlyphSpan{static_cast<int16_t>(y), static_cast<int16_t>(l), static_cast<int16_t>(r)};
                }
            }
        }
        return !in.bad();
    }

    int32_t Rasterise(const FontSpec& f, TextChar ch, int32_t& advance, GlyphSpan* spans, int32_t capacity) override
    {
        auto font = fonts_.find({f.Face, f.Height, f.Bold, f.Italic});
        auto glyph = font == fonts_.end() ? glyphs_.end() : glyphs_.find({font->second, ch});
        if (glyph == glyphs_.end()) {
            std::fprintf(stderr, "web_reference: the page made no glyph %d of %s %d%s%s\n", ch, f.Face, f.Height,
                         f.Bold ? " bold" : "", f.Italic ? " italic" : "");
            ++Missing;
            return -1;
        }
        advance = glyph->second.Advance;
        const int32_t n = static_cast<int32_t>(glyph->second.Spans.size());
        if (n <= capacity && n > 0) std::memcpy(spans, glyph->second.Spans.data(), sizeof(GlyphSpan) * n);
        return n;
    }

    int Missing = 0;

private:
    struct Entry {
        int32_t Advance = 0;
        std::vector<GlyphSpan> Spans;
    };
    std::map<std::tuple<std::string, int, bool, bool>, int> fonts_;
    std::map<std::pair<int, int>, Entry> glyphs_;
};

double Ms(std::chrono::steady_clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

int Step(char** argv)
{
    const int count = std::atoi(argv[0]), w = std::atoi(argv[1]), h = std::atoi(argv[2]), ticks = std::atoi(argv[3]);
    for (StepKernel k : {StepKernel::Scalar, FastestKernel()}) {
        std::unique_ptr<MassPoint[]> points = AllocatePoints(count);
        if (!points || ticks <= 0) return 1;
        BuildPoints(points.get(), count, w, h);
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < ticks; ++i) StepPointsWith(k, points.get(), count);
        std::printf("%s %.4f\n", KernelName(k), Ms(std::chrono::steady_clock::now() - start) / ticks);
    }
    return 0;
}

int SaverNamed(const char* name)
{
    for (int i = 0; i < WebSaverCount; ++i)
        if (strcasecmp(WebTable(i)->Name, name) == 0) return i;
    return -1;
}

// OPTION=TEXT taken as the page takes the text stored under the option.
bool SetValue(int saver, const char* arg)
{
    const SaverTable& table = *WebTable(saver);
    const char* equals = std::strchr(arg, '=');
    for (int32_t i = 0; equals && i < table.SettingCount; ++i) {
        const char* option = table.Settings[i].Option;
        if (std::strlen(option) == size_t(equals - arg) && std::strncmp(option, arg, size_t(equals - arg)) == 0)
            return WebTake(saver, i, equals + 1);
    }
    return false;
}

// The run's frames on canvas, whose pixels are RGBA bytes through get/put.
template <class Surface>
int Render(Surface& canvas, int saver, int w, int h, int ticks, char** argv, bool timing)
{
    const size_t bytes = size_t(w) * h * 4;
    std::vector<uint8_t> rgba(bytes);
    if (std::strcmp(argv[7], "-") != 0) {
        std::ifstream in(argv[7], std::ios::binary);
        if (!in.read(reinterpret_cast<char*>(rgba.data()), static_cast<std::streamsize>(bytes))) return 1;
        canvas.Put(rgba.data());
    }
    const uint32_t seed = static_cast<uint32_t>(std::strtoul(argv[5], nullptr, 10));
    WebRun run;
    if (!run.Start(saver, canvas.On, w, h, 0, &seed)) return 1;
    std::vector<double> times;
    for (int i = 0; i < ticks; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run.Draw(canvas.On);
        times.push_back(Ms(std::chrono::steady_clock::now() - start));
    }
    run.End();
    if (timing) {
        for (double t : times) std::printf("%.4f\n", t);
        return 0;
    }
    canvas.Get(rgba.data());
    std::ofstream out(argv[8], std::ios::binary);
    out.write(reinterpret_cast<const char*>(rgba.data()), static_cast<std::streamsize>(bytes));
    return out ? 0 : 1;
}

// The Linux tests' pixel canvas (0x00RRGGBB), an implementation of the
// drawing apart from the page's: for the savers that draw no text.
struct LinuxPixels {
    PixelCanvas On;
    void Put(const uint8_t* rgba)
    {
        for (uint32_t& p : On.Pixels) p = (uint32_t{rgba[0]} << 16) | (uint32_t{rgba[1]} << 8) | rgba[2], rgba += 4;
    }
    void Get(uint8_t* rgba) const
    {
        for (uint32_t p : On.Pixels) *rgba++ = uint8_t(p >> 16), *rgba++ = uint8_t(p >> 8), *rgba++ = uint8_t(p), *rgba++ = 255;
    }
};

// The page's own canvas, for the text savers, with the page's glyphs.
struct PagePixels {
    FrameCanvas& On;
    void Put(const uint8_t* rgba) { std::memcpy(On.Pixels(), rgba, size_t(On.Width()) * On.Height() * 4); }
    void Get(uint8_t* rgba) const { std::memcpy(rgba, On.Pixels(), size_t(On.Width()) * On.Height() * 4); }
};

} // namespace

int main(int argc, char** argv)
{
    if (argc == 6 && std::strcmp(argv[1], "--step") == 0) return Step(argv + 2);
    const bool timing = argc > 1 && std::strcmp(argv[1], "--time") == 0;
    if (timing) ++argv, --argc;
    const int saver = argc < 9 ? -1 : SaverNamed(argv[1]);
    if (saver < 0) {
        std::fprintf(stderr, "usage: see the head of web_reference.cpp\n");
        return 2;
    }
    const int w = std::atoi(argv[2]), h = std::atoi(argv[3]), ticks = std::atoi(argv[4]);
    for (int i = 9; i < argc; ++i)
        if (!SetValue(saver, argv[i])) return std::fprintf(stderr, "web_reference: bad setting %s\n", argv[i]), 2;
    if (w <= 0 || h <= 0) return 2;
    if (std::strcmp(argv[6], "-") == 0) {
        LinuxPixels canvas{PixelCanvas(w, h, 0)};
        return Render(canvas, saver, w, h, ticks, argv, timing);
    }
    GlyphFile glyphs;
    FrameCanvas frame(glyphs);
    if (!glyphs.Load(argv[6]) || !frame.Resize(w, h)) return 1;
    PagePixels canvas{frame};
    const int rc = Render(canvas, saver, w, h, ticks, argv, timing);
    return rc == 0 && glyphs.Missing == 0 ? 0 : 1;
}
