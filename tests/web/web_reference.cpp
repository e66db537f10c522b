// The web page's run built natively: the same savers' adapter and
// framebuffer canvas, drawing with the glyphs the page made, so that its
// frames must equal the page's pixel for pixel.
//
//   web_reference SAVER W H TICKS SEED SEEDGIVEN GLYPHS START OUT [n:I:V | t:I:TEXT]...
//     SAVER the saver's number (web_savers.h); GLYPHS the page's glyph text
//     or -; START the raw RGBA picture the run starts on, or - for black;
//     OUT the raw RGBA frame after TICKS ticks; n:/t: setting I's number or text.
//   web_reference --time ... the same, and each tick's time instead of OUT
//   web_reference --step COUNT W H TICKS: Orbel's step alone, ms a tick, by kernel
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "frame_canvas.h"
#include "orbel_kernel.h"
#include "text_codec.h"
#include "web_savers.h"

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
        MassPoint* points = AllocatePoints(count);
        if (!points || ticks <= 0) return 1;
        BuildPoints(points, count, w, h);
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < ticks; ++i) StepPointsWith(k, points, count);
        std::printf("%s %.4f\n", KernelName(k), Ms(std::chrono::steady_clock::now() - start) / ticks);
        FreePoints(points);
    }
    return 0;
}

bool SetValue(int saver, const char* arg)
{
    const char* colon = std::strchr(arg + 2, ':');
    if (!colon || arg[1] != ':') return false;
    const int index = std::atoi(arg + 2);
    if (arg[0] == 'n') return WebSetNumber(saver, index, std::atoi(colon + 1));
    return arg[0] == 't' && WebSetText(saver, index, colon + 1);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 6 && std::strcmp(argv[1], "--step") == 0) return Step(argv + 2);
    const bool timing = argc > 1 && std::strcmp(argv[1], "--time") == 0;
    if (timing) ++argv, --argc;
    if (argc < 10) {
        std::fprintf(stderr, "usage: see the head of web_reference.cpp\n");
        return 2;
    }
    const int saver = std::atoi(argv[1]), w = std::atoi(argv[2]), h = std::atoi(argv[3]), ticks = std::atoi(argv[4]);
    for (int i = 10; i < argc; ++i)
        if (!SetValue(saver, argv[i])) return std::fprintf(stderr, "web_reference: bad setting %s\n", argv[i]), 2;
    GlyphFile glyphs;
    if (std::strcmp(argv[7], "-") != 0 && !glyphs.Load(argv[7])) return 1;
    FrameCanvas canvas(glyphs);
    if (!canvas.Resize(w, h)) return 1;
    const size_t bytes = size_t(w) * h * 4;
    if (std::strcmp(argv[8], "-") != 0) {
        std::ifstream in(argv[8], std::ios::binary);
        if (!in.read(reinterpret_cast<char*>(canvas.Pixels()), static_cast<std::streamsize>(bytes))) return 1;
    }
    const WebView view{w, h, static_cast<uint32_t>(std::strtoul(argv[5], nullptr, 10)), std::atoi(argv[6]) != 0,
                       AddCp932Text};
    WebRun* run = WebStart(saver, canvas, view);
    if (!run) return 1;
    std::vector<double> times;
    for (int i = 0; i < ticks; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run->Draw(canvas);
        times.push_back(Ms(std::chrono::steady_clock::now() - start));
    }
    delete run;
    if (timing) {
        for (double t : times) std::printf("%.4f\n", t);
        return 0;
    }
    std::ofstream out(argv[9], std::ios::binary);
    out.write(reinterpret_cast<const char*>(canvas.Pixels()), static_cast<std::streamsize>(bytes));
    return out && glyphs.Missing == 0 ? 0 : 1;
}
