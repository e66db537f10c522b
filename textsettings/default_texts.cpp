#include "default_texts.h"

const char16_t* const Glyra2DefaultTexts[Glyra2DefaultTextCount] = {
    u"Tutte le strade portano a Roma.",
    u"The Eyes of Truth.",
    u"少年老い易く、学成り難し",
    u"光陰矢の如し",
    u"汝自身を知れ",
    u"士別れて三日なれば、即ちまさに刮目して相待つべし。",
};

const GlyraDefaultText GlyraDefaultTexts[GlyraDefaultTextCount] = {
    {u"Tutte le strade portano a Roma.", 50},
    {u"The Eyes of Truth.", 70},
    {u"少年老い易く、学成り難し", 70},
    {u"光陰矢の如し", 70},
    {u"祇園精舎の鐘の音、諸行無常の響きあり。沙羅双樹の花の色、盛者必衰の理をあらはす。"
     u"奢れる者も久しからず、ただ春の世の夢の如し。猛き者もつひには滅びぬ、ひとへに風の前の塵に同じ。",
     50},
    {u"進むことを畏れるものに明日は訪れない。", 5},
    {u"汝自身を知れ", 5},
};
