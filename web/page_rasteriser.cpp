#include "page_rasteriser.h"

#include <emscripten.h>

#include <cstdlib>
#include <cstring>

// The page's glyphs.js does the drawing. It keeps the last character it
// drew, so asking again with more room costs nothing.
EM_JS(int, ZamvelCoverage,
      (const char* face, int height, int bold, int italic, int ch, int* box, void* alpha, int capacity), {
          return Module.zamvelGlyphs.coverage(UTF8ToString(face), height, bold, italic, ch, box, alpha, capacity);
      });

namespace {

// The masters' cell height: the text savers' largest font.
constexpr int32_t MasterHeight = 400;

} // namespace

PageRasteriser::~PageRasteriser() { std::free(faces_); }

int32_t PageRasteriser::FaceIndex(const FontSpec& font)
{
    for (int32_t k = 0; k < faceCount_; ++k) {
        const Face& f = faces_[k];
        if (f.Bold == font.Bold && f.Italic == font.Italic && std::strcmp(f.Name, font.Face) == 0) return k;
    }
    if (faceCount_ == faceCapacity_) {
        const int32_t capacity = faceCapacity_ ? 2 * faceCapacity_ : 16;
        if (capacity > 0x10000) return -1;
        Face* grown = static_cast<Face*>(std::realloc(faces_, sizeof(Face) * static_cast<size_t>(capacity)));
        if (!grown) return -1;
        faces_ = grown;
        faceCapacity_ = capacity;
    }
    Face& f = faces_[faceCount_];
    std::memcpy(f.Name, font.Face, sizeof f.Name);
    f.Bold = font.Bold;
    f.Italic = font.Italic;
    return faceCount_++;
}

GlyphCoverage* PageRasteriser::Draw(const FontSpec& font, int32_t height, TextChar ch)
{
    int box[5] = {0, 0, 0, 0, 0};
    const int bytes = ZamvelCoverage(font.Face, height, font.Bold, font.Italic, ch, box, nullptr, 0);
    if (bytes < 0) return nullptr;
    GlyphCoverage* c = static_cast<GlyphCoverage*>(std::malloc(sizeof(GlyphCoverage) + static_cast<size_t>(bytes)));
    if (!c) return nullptr;
    uint8_t* alpha = reinterpret_cast<uint8_t*>(c + 1);
    ZamvelCoverage(font.Face, height, font.Bold, font.Italic, ch, box, alpha, bytes);
    *c = GlyphCoverage{height, box[0], box[1], box[2], box[3], box[4], alpha};
    return c;
}

int32_t PageRasteriser::Rasterise(const FontSpec& font, TextChar ch, int32_t& advance, GlyphSpan* spans,
                                  int32_t capacity)
{
    static_assert(sizeof(GlyphSpan) == 6, "runs are three 16-bit numbers");
    if (font.Height > MasterHeight) {
        GlyphCoverage* own = Draw(font, font.Height, ch);
        const int32_t n = own ? ScaleGlyph(*own, font.Height, spans, capacity, scratch_) : -1;
        if (own) advance = ScaledAdvance(*own, font.Height);
        std::free(own);
        return n;
    }
    const int32_t face = FaceIndex(font);
    if (face < 0) return -1;
    const uint32_t key = (static_cast<uint32_t>(face) << 16) | ch;
    GlyphCoverage* master = static_cast<GlyphCoverage*>(masters_.Find(key));
    if (!master) {
        GlyphCoverage* drawn = Draw(font, MasterHeight, ch);
        if (!drawn) return -1;
        const size_t size = sizeof(GlyphCoverage) + static_cast<size_t>(drawn->Width) * drawn->Rows;
        master = static_cast<GlyphCoverage*>(masters_.Add(key, size));
        if (master) {
            std::memcpy(master, drawn, size);
            master->Alpha = reinterpret_cast<uint8_t*>(master + 1);
        }
        std::free(drawn);
        if (!master) return -1;
    }
    advance = ScaledAdvance(*master, font.Height);
    return ScaleGlyph(*master, font.Height, spans, capacity, scratch_);
}
