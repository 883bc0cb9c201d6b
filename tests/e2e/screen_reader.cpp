#include "screen_reader.h"

#include "game_window.h"
#include "scripted_platform.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPixmap>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace e2e {

namespace {

constexpr std::array<QRect, 4> buttonRects{QRect(25, 144, 21, 19), QRect(57, 144, 21, 19),
                                           QRect(89, 144, 21, 19), QRect(142, 19, 25, 111)};

// How far inside its edge a button's look is compared: the focus ring and
// the outline are the outermost pixel, the bevel the next.
constexpr int buttonInset = 2;

// Calls onPixel(a, b) for each pair of pixels of two pictures of one size.
template <typename OnPixel>
void forEachPixelPair(const QImage &a, const QImage &b, OnPixel onPixel)
{
    const QImage left = a.convertToFormat(QImage::Format_RGB32);
    const QImage right = b.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < left.height(); ++y) {
        const auto *leftLine = reinterpret_cast<const QRgb *>(left.constScanLine(y));
        const auto *rightLine = reinterpret_cast<const QRgb *>(right.constScanLine(y));
        for (int x = 0; x < left.width(); ++x)
            onPixel(leftLine[x], rightLine[x]);
    }
}

int channelDifference(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

} // namespace

QRect buttonRect(Button button)
{
    return buttonRects.at(static_cast<std::size_t>(button));
}

QString buttonName(Button button)
{
    switch (button) {
    case Button::StopLeft:
        return QStringLiteral("the left stop button");
    case Button::StopMiddle:
        return QStringLiteral("the middle stop button");
    case Button::StopRight:
        return QStringLiteral("the right stop button");
    case Button::Go:
        break;
    }
    return QStringLiteral("GO");
}

int differingPixels(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return std::max(a.width() * a.height(), b.width() * b.height());
    int count = 0;
    forEachPixelPair(a, b, [&count](QRgb left, QRgb right) {
        if ((left & RGB_MASK) != (right & RGB_MASK))
            ++count;
    });
    return count;
}

int largestChannelDifference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return 255;
    int largest = 0;
    forEachPixelPair(a, b, [&largest](QRgb left, QRgb right) {
        largest = std::max(largest, channelDifference(left, right));
    });
    return largest;
}

QString CellReading::describe() const
{
    return QStringLiteral("\"%1\" (%2 pixels off; next best \"%3\", %4 pixels off)")
        .arg(QLatin1Char(symbol))
        .arg(mismatches)
        .arg(QLatin1Char(runnerUp))
        .arg(runnerUpMismatches);
}

// The game's form and window, built as the program builds them but never
// shown, and the game-over message box made the way the game's platform
// makes it.
struct WindowPictures::Game {
    GameWindow<ScriptedPlatform> game;
    QMessageBox box{QMessageBox::Warning, QStringLiteral("GameOver"),
                    QStringLiteral("You ran out of your coins!"), QMessageBox::NoButton,
                    &game.window};

    Game()
    {
        box.addButton(QMessageBox::Ok);
        // Shown, so that it lays itself out and takes its final size, but
        // never put on the screen.
        box.setAttribute(Qt::WA_DontShowOnScreen);
        box.show();
    }
};

WindowPictures::WindowPictures()
    : game_(std::make_unique<Game>())
{
}

WindowPictures::~WindowPictures() = default;

QImage WindowPictures::windowPicture()
{
    return game_->game.window.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage WindowPictures::reelCell(std::size_t reel, std::size_t row, char symbol)
{
    const std::pair<std::size_t, char> key{reel * rowCount + row, symbol};
    if (const auto found = cells_.find(key); found != cells_.end())
        return found->second;
    // One picture of the window with every cell showing the symbol gives
    // the symbol's picture in all nine cells.
    frmMain &form = game_->game.form;
    const std::string caption(1, symbol);
    for (forms::Integer r = 0; r <= 2; r = r + 1) {
        form.labLeft(r).Caption = caption;
        form.labMid(r).Caption = caption;
        form.labRight(r).Caption = caption;
    }
    const QImage picture = windowPicture();
    for (std::size_t c = 0; c < reelCount; ++c)
        for (std::size_t r = 0; r < rowCount; ++r)
            cells_[{c * rowCount + r, symbol}] = picture.copy(reelCellRect(c, r));
    return cells_.at(key);
}

QImage WindowPictures::counterUncached(qint64 coins)
{
    game_->game.form.labCoins.Caption = std::to_string(coins);
    return windowPicture().copy(counterRect);
}

QImage WindowPictures::counter(qint64 coins)
{
    if (const auto found = counters_.find(coins); found != counters_.end())
        return found->second;
    return counters_[coins] = counterUncached(coins);
}

QRect WindowPictures::buttonInsideRect(Button button)
{
    return buttonRect(button).adjusted(buttonInset, buttonInset, -buttonInset, -buttonInset);
}

QImage WindowPictures::buttonInside(Button button, bool enabled)
{
    const std::pair<Button, bool> key{button, enabled};
    if (const auto found = buttons_.find(key); found != buttons_.end())
        return found->second;
    frmMain &form = game_->game.form;
    for (forms::CommandButton *each : {&form.cmdLeft, &form.cmdMid, &form.cmdRight, &form.cmdGo})
        each->Enabled = enabled;
    const QImage picture = windowPicture();
    for (const Button each : allButtons)
        buttons_[{each, enabled}] = picture.copy(buttonInsideRect(each));
    return buttons_.at(key);
}

QImage WindowPictures::gameOverBox()
{
    return game_->box.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QRect WindowPictures::gameOverBoxOkButton()
{
    const QAbstractButton *ok = game_->box.button(QMessageBox::Ok);
    if (ok == nullptr)
        return {};
    return {ok->mapTo(&game_->box, QPoint(0, 0)), ok->size()};
}

CellReading WindowPictures::readCell(const QImage &client, std::size_t reel, std::size_t row)
{
    const QImage cell = client.copy(reelCellRect(reel, row));
    std::vector<std::pair<int, char>> ranked;
    for (const char symbol : symbols)
        ranked.emplace_back(differingPixels(cell, reelCell(reel, row, symbol)), symbol);
    std::sort(ranked.begin(), ranked.end());
    return {ranked[0].second, ranked[0].first, ranked[1].second, ranked[1].first};
}

int WindowPictures::counterMismatches(const QImage &client, qint64 coins)
{
    return differingPixels(client.copy(counterRect), counter(coins));
}

std::pair<qint64, int> WindowPictures::closestCounter(const QImage &client, qint64 low, qint64 high)
{
    const QImage shown = client.copy(counterRect);
    std::pair<qint64, int> best{low, differingPixels(shown, counterUncached(low))};
    for (qint64 coins = low + 1; coins <= high && best.second > 0; ++coins) {
        const int mismatches = differingPixels(shown, counterUncached(coins));
        if (mismatches < best.second)
            best = {coins, mismatches};
    }
    return best;
}

ButtonLook WindowPictures::buttonLook(const QImage &client, Button button)
{
    const QImage inside = client.copy(buttonInsideRect(button));
    const int offPressable = differingPixels(inside, buttonInside(button, true));
    const int offGreyed = differingPixels(inside, buttonInside(button, false));
    if (offPressable <= matchLimit && offGreyed > matchLimit)
        return ButtonLook::Pressable;
    if (offGreyed <= matchLimit && offPressable > matchLimit)
        return ButtonLook::Greyed;
    return ButtonLook::Unclear;
}

} // namespace e2e
