#pragma once

// A face whose printable ASCII glyphs the program carries as a typeface stream of the framework
// (resources/typefaces), and the font file they are read from: Debian's fonts-dejavu-core
// 2.37, whose files their sizes tell apart from other releases.
struct TypefaceSource
{
    const char* streamFile;   // in resources/typefaces
    const char* resourceName; // the stream's name in TypefaceData
    const char* family;       // the face as the framework names it
    const char* style;
    const char* fontFile;
    long long fontFileSize;
};

inline constexpr TypefaceSource kTypefaceSources[] = {
    {"DejaVuSans.typeface", "DejaVuSans_typeface", "DejaVu Sans", "Book", "DejaVuSans.ttf", 759720},
    {"DejaVuSans-Bold.typeface", "DejaVuSansBold_typeface", "DejaVu Sans", "Bold", "DejaVuSans-Bold.ttf",
     708920},
};
