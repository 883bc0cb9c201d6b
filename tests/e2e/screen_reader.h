#pragma once

// Reading the game's window from screen grabs.
//
// What a grab is read against comes from the game's own renderer: this
// process builds the game's form and window (never shown) and draws a reel
// cell with each symbol, the coin counter with a given number, the buttons
// pressable or not, and the game-over message box, with the same fonts and
// style as the game on the same display. A part of a grab is then read by
// counting the pixels where it differs from each of those pictures.

#include <QImage>
#include <QRect>
#include <QString>

#include <array>
#include <cstddef>
#include <map>
#include <memory>
#include <string_view>
#include <utility>

namespace e2e {

// The window's layout, in client-area pixels.
inline constexpr std::size_t reelCount = 3; // left, middle, right
inline constexpr std::size_t rowCount = 3;  // top, middle, bottom
inline constexpr std::array<int, reelCount> reelLefts{22, 53, 85};
inline constexpr std::array<int, rowCount> reelTops{15, 54, 93};
inline constexpr QSize reelCellSize{28, 36};
inline constexpr std::size_t lineCount = 5;
inline constexpr int lampLeft = 119;
inline constexpr std::array<int, lineCount> lampTops{3, 27, 63, 104, 129};
inline constexpr int lampSize = 14;
inline constexpr QRect counterRect(11, 176, 153, 27);

inline constexpr QRgb lampUnlit = qRgb(128, 128, 128);
inline constexpr QRgb lampLit = qRgb(255, 255, 192);

// The four buttons: the stop button under each reel, then GO.
enum class Button { StopLeft, StopMiddle, StopRight, Go };
inline constexpr std::array<Button, 4> allButtons{Button::StopLeft, Button::StopMiddle,
                                                  Button::StopRight, Button::Go};
QRect buttonRect(Button button);
QString buttonName(Button button);
inline Button stopButtonOf(std::size_t reel)
{
    return static_cast<Button>(reel);
}

// Every symbol a reel shows, each one character.
inline constexpr std::string_view symbols = "$*-#7C?=+%";

inline QRect reelCellRect(std::size_t reel, std::size_t row)
{
    return {QPoint(reelLefts.at(reel), reelTops.at(row)), reelCellSize};
}

// A reel's three cells and the gaps between them.
inline QRect reelColumnRect(std::size_t reel)
{
    return {reelLefts.at(reel), reelTops.front(), reelCellSize.width(),
            reelTops.back() + reelCellSize.height() - reelTops.front()};
}

// The middle of lamp k, which shows its fill colour only.
inline QPoint lampCentre(std::size_t line)
{
    return {lampLeft + lampSize / 2, lampTops.at(line) + lampSize / 2};
}

// Pixels of two pictures of the same thing that differ in any colour channel.
// Pictures of different sizes differ everywhere.
int differingPixels(const QImage &a, const QImage &b);
// The largest difference of one colour channel between the two pictures.
int largestChannelDifference(const QImage &a, const QImage &b);

// On the test display the screen and this process's pictures agree pixel
// for pixel. A part of a grab counts as showing a picture when no more than
// matchLimit pixels differ: well under half the 18 pixels between the two
// most alike pictures that a check tells apart (the counter at -5 and at 5),
// so that no grab can pass for two of them.
inline constexpr int matchLimit = 6;
// A reel cell is read only when the runner-up symbol is off by at least this
// many pixels more than the best: about half the 110 pixels between the two
// most alike symbols ("+" and "-").
inline constexpr int clearMargin = 50;

// The reading of one reel cell: the symbol whose picture it matches best,
// and the next best, each with the number of pixels that differ.
struct CellReading {
    char symbol = '\0';
    int mismatches = 0;
    char runnerUp = '\0';
    int runnerUpMismatches = 0;

    bool isClear() const
    {
        return mismatches <= matchLimit && runnerUpMismatches >= mismatches + clearMargin;
    }
    QString describe() const;
};

// What a button looks like. Only its inside is compared: the keyboard focus
// draws a ring on the button's edge, and that is no business of these checks.
enum class ButtonLook { Pressable, Greyed, Unclear };

// The game's renderer, in this process. Needs the application object and the
// game's font substitutes (forms::qt::RegisterFontSubstitutes).
class WindowPictures
{
public:
    WindowPictures();
    ~WindowPictures();
    WindowPictures(const WindowPictures &) = delete;
    WindowPictures &operator=(const WindowPictures &) = delete;

    // The reel cell at (reel, row) showing the symbol.
    QImage reelCell(std::size_t reel, std::size_t row, char symbol);
    // The coin counter showing a number.
    QImage counter(qint64 coins);
    // The inside of a button, pressable or greyed out.
    QImage buttonInside(Button button, bool enabled);
    // The game-over message box, as it is shown, and where its OK button is
    // in it.
    QImage gameOverBox();
    QRect gameOverBoxOkButton();

    // Reads the symbol a grabbed client area shows in a reel cell.
    CellReading readCell(const QImage &client, std::size_t reel, std::size_t row);
    // Pixels where the grabbed client area's counter differs from the counter
    // showing coins.
    int counterMismatches(const QImage &client, qint64 coins);
    // The number from low to high that the grabbed counter is closest to,
    // with its mismatches; for failure messages.
    std::pair<qint64, int> closestCounter(const QImage &client, qint64 low, qint64 high);
    ButtonLook buttonLook(const QImage &client, Button button);

    static QRect buttonInsideRect(Button button);

private:
    struct Game;
    QImage windowPicture();
    QImage counterUncached(qint64 coins);

    std::unique_ptr<Game> game_;
    std::map<std::pair<std::size_t, char>, QImage> cells_; // by (reel * rowCount + row, symbol)
    std::map<qint64, QImage> counters_;
    std::map<std::pair<Button, bool>, QImage> buttons_;
};

} // namespace e2e
