// Writes the actor descriptions and the preview pictures of the dat folder:
// dat/obj/obj00.TXT ... objFF.TXT, dat/obj/obj00.JPG ... objFF.JPG with the
// common objxx.JPG, and the stair direction pictures dat/stair/00, 01, 10, 11
// and xx.JPG. Every picture is drawn here, pixel by pixel.
//
//   quarry-make-dat-pictures DAT_FOLDER
#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTextStream>

#include <cstdio>

namespace {

// A 3 x 5 pixel font for the hex digits and "?".
const char* const kGlyphs[17] = {
    "111101101101111", "010110010010111", "111001111100111", "111001111001111", "101101111001001",
    "111100111001111", "111100111101111", "111001001010010", "111101111101111", "111101111001111",
    "010101111101101", "110101110101110", "111100100100111", "110101101101110", "111100110100111",
    "111100110100100", "111001011000010",
};

void fill(QImage& image, int x, int y, int w, int h, QColor colour)
{
    for (int py = y; py < y + h; ++py)
        for (int px = x; px < x + w; ++px)
            if (image.rect().contains(px, py))
                image.setPixelColor(px, py, colour);
}

// Draws glyph `g` at (x, y), each font pixel `scale` pixels square.
void glyph(QImage& image, int g, int x, int y, int scale, QColor colour)
{
    for (int row = 0; row < 5; ++row)
        for (int column = 0; column < 3; ++column)
            if (kGlyphs[g][row * 3 + column] == '1')
                fill(image, x + column * scale, y + row * scale, scale, scale, colour);
}

// A figure 16 x 32 whose foot line is the bottom edge, the code on its chest.
QImage actorPicture(int code)
{
    QImage image(16, 32, QImage::Format_RGB32);
    image.fill(QColor(24, 24, 32));
    const QColor body = code < 0 ? QColor(128, 128, 128) : QColor::fromHsv((code * 37) % 360, 170, 220);
    fill(image, 5, 1, 6, 6, body);    // head
    fill(image, 3, 8, 10, 14, body);  // body
    fill(image, 3, 22, 4, 10, body);  // legs
    fill(image, 9, 22, 4, 10, body);
    fill(image, 1, 10, 14, 12, QColor(0, 0, 0));
    const QColor ink(255, 255, 255);
    glyph(image, code < 0 ? 16 : code >> 4, 2, 11, 2, ink);
    glyph(image, code < 0 ? 16 : code & 15, 9, 11, 2, ink);
    return image;
}

// A flight of steps rising towards the direction it leads: upDown 1 goes up,
// leftRight 1 goes right. The arrow head sits at the far end.
QImage stairPicture(int upDown, int leftRight, bool known)
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(QColor(16, 16, 16));
    const QColor step(230, 200, 60), arrow(255, 80, 60);
    if (!known) {
        fill(image, 0, 0, 16, 1, step);
        fill(image, 0, 15, 16, 1, step);
        fill(image, 0, 0, 1, 16, step);
        fill(image, 15, 0, 1, 16, step);
        glyph(image, 16, 5, 3, 2, arrow);
        return image;
    }
    for (int i = 0; i < 4; ++i) {
        // Step i from the start corner (bottom-left for up-right, and so on).
        const int sx = leftRight ? i * 4 : 12 - i * 4;
        const int sy = upDown ? 12 - i * 4 : i * 4;
        fill(image, sx, sy + 2, 4, 2, step);
    }
    // The arrow: a diagonal line towards the far corner with a head there.
    for (int i = 0; i < 12; ++i) {
        const int x = leftRight ? 2 + i : 13 - i;
        const int y = upDown ? 13 - i : 2 + i;
        fill(image, x, y, 1, 1, arrow);
    }
    const int hx = leftRight ? 13 : 2, hy = upDown ? 2 : 13;
    const int back = leftRight ? -1 : 1, down = upDown ? 1 : -1;
    for (int i = 0; i < 4; ++i) {
        fill(image, hx + back * i, hy, 1, 1, arrow);
        fill(image, hx, hy + down * i, 1, 1, arrow);
    }
    return image;
}

// The control kind of each described code: most types have no parameter;
// a few stand for each kind of parameter so every one can be tried.
int controlKindOf(int code)
{
    switch (code) {
    case 0x10:
    case 0x11: return 1; // a text
    case 0x20: return 2; // an entry of the actor text table
    case 0x30:
    case 0x31: return 3; // enemy health
    case 0x40: return 4; // the ferryman
    default: return 0;
    }
}

bool save(const QImage& image, const QString& path)
{
    if (image.save(path, "JPG", 100))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: quarry-make-dat-pictures DAT_FOLDER\n");
        return 2;
    }
    const QDir dat(QString::fromLocal8Bit(argv[1]));
    if (!dat.mkpath(QStringLiteral("obj")) || !dat.mkpath(QStringLiteral("stair"))) {
        std::fprintf(stderr, "cannot create the folders under %s\n", argv[1]);
        return 1;
    }
    bool ok = true;
    for (int code = 0; code < 256; ++code) {
        const QString hex = QStringLiteral("%1").arg(code, 2, 16, QLatin1Char('0')).toUpper();
        QFile description(dat.filePath(QStringLiteral("obj/obj%1.TXT").arg(hex)));
        if (!description.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            ok = false;
            continue;
        }
        QTextStream out(&description);
        out << "Actor " << hex << '\n' << controlKindOf(code) << '\n';
        for (int set = 0; set < 6; ++set)
            out << "T\n";
        ok = save(actorPicture(code), dat.filePath(QStringLiteral("obj/obj%1.JPG").arg(hex))) && ok;
    }
    ok = save(actorPicture(-1), dat.filePath(QStringLiteral("obj/objxx.JPG"))) && ok;
    for (int upDown = 0; upDown < 2; ++upDown)
        for (int leftRight = 0; leftRight < 2; ++leftRight)
            ok = save(stairPicture(upDown, leftRight, true),
                      dat.filePath(QStringLiteral("stair/%1%2.JPG").arg(upDown).arg(leftRight)))
                 && ok;
    ok = save(stairPicture(0, 0, false), dat.filePath(QStringLiteral("stair/xx.JPG"))) && ok;
    return ok ? 0 : 1;
}
