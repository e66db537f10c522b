// The picture the shared logic says a native program shows after some
// frames, its run started through the saver's table as every platform's is,
// written as a PPM to compare with a screenshot:
//
//   expected_picture orbel WIDTH HEIGHT FRAMES COUNT OUT.ppm
//   expected_picture worms WIDTH HEIGHT FRAMES WORMS LENGTH TRAIL DESKTOP.ppm OUT.ppm
//
// Orbel starts on black; Worms on the desktop picture given (a PPM of the
// same size). TRAIL is 0, 1 or 2. The generator starts at 1, as in a new
// process.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "orbel_table.h"
#include "pixel_canvas.h"
#include "random.h"
#include "worms_table.h"

namespace {

bool WritePpm(const char* path, const PixelCanvas& c)
{
    FILE* f = std::fopen(path, "wb");
    if (!f) return false;
    std::fprintf(f, "P6\n%d %d\n255\n", c.Width, c.Height);
    for (uint32_t p : c.Pixels) {
        const unsigned char rgb[3] = {static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
                                      static_cast<unsigned char>(p)};
        std::fwrite(rgb, 1, 3, f);
    }
    return std::fclose(f) == 0;
}

// The next number of a PPM header, past white space and comments.
bool HeaderNumber(FILE* f, int& n)
{
    int ch;
    while ((ch = std::fgetc(f)) != EOF) {
        if (ch == '#')
            while ((ch = std::fgetc(f)) != EOF && ch != '\n') {}
        else if (ch != ' ' && ch != '\n' && ch != '\r' && ch != '\t')
            break;
    }
    if (ch < '0' || ch > '9') return false;
    n = 0;
    for (; ch >= '0' && ch <= '9'; ch = std::fgetc(f)) n = n * 10 + (ch - '0');
    // The one white-space byte after the last number ends the header.
    return ch != EOF;
}

bool ReadPpm(const char* path, PixelCanvas& c)
{
    FILE* f = std::fopen(path, "rb");
    if (!f) return false;
    int w = 0, h = 0, max = 0;
    bool ok = std::fgetc(f) == 'P' && std::fgetc(f) == '6' && HeaderNumber(f, w) && HeaderNumber(f, h) &&
              HeaderNumber(f, max) && w == c.Width && h == c.Height && max == 255;
    for (uint32_t& p : c.Pixels) {
        unsigned char rgb[3];
        if (!ok || std::fread(rgb, 1, 3, f) != 3) {
            ok = false;
            break;
        }
        p = (uint32_t{rgb[0]} << 16) | (uint32_t{rgb[1]} << 8) | rgb[2];
    }
    std::fclose(f);
    return ok;
}

int Usage()
{
    std::fprintf(stderr, "usage: expected_picture orbel W H FRAMES COUNT OUT.ppm\n"
                         "       expected_picture worms W H FRAMES WORMS LENGTH TRAIL DESKTOP.ppm OUT.ppm\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) return Usage();
    const bool orbel = std::strcmp(argv[1], "orbel") == 0;
    if ((orbel && argc != 7) || (!orbel && (std::strcmp(argv[1], "worms") != 0 || argc != 10))) return Usage();
    const int32_t w = std::atoi(argv[2]), h = std::atoi(argv[3]), frames = std::atoi(argv[4]);
    const SaverTable& table = orbel ? OrbelTable : WormsTable;
    SettingValues values;
    DefaultValues(table, values, true);
    if (orbel) {
        values.Numbers[OrbelCount] = std::atoi(argv[5]);
    } else {
        values.Numbers[WormsCount] = std::atoi(argv[5]);
        values.Numbers[WormsLength] = std::atoi(argv[6]);
        values.Numbers[WormsType] = std::atoi(argv[7]);
    }
    PixelCanvas canvas(w, h, 0);
    if (!orbel && !ReadPpm(argv[8], canvas)) {
        std::fprintf(stderr, "expected_picture: %s is no %dx%d PPM\n", argv[8], w, h);
        return 1;
    }
    SeedRandom(1);
    const std::unique_ptr<SaverRun> run = StartRun(table, values, canvas, WholeWindowView(w, h, 0));
    if (!run) return 1;
    for (int32_t i = 0; i < frames; ++i) table.Draw(*run, canvas);
    return WritePpm(orbel ? argv[6] : argv[9], canvas) ? 0 : 1;
}
