#include "render/HudLayout.h"

#include "render/HudText.h"

#include <algorithm>
#include <cmath>

namespace {

// Text heights in pixels per pixel of window height, as designed for a wide window.
constexpr double kHelpHeight = 0.024;
constexpr double kFpsHeight = 0.0408;
constexpr double kCountdownHeight = 0.0312;
constexpr double kMessageHeight = 0.12;
constexpr double kRecordHeight = 0.05;
constexpr double kFailureHeight = 0.05;
// The charge bar, in window width and height.
constexpr double kBarWidth = 0.2;
constexpr double kBarHeight = 0.0275;
constexpr float kBarBorder = 0.175f;
constexpr float kMinimumBarHeight = 6.0f;
// Baselines of consecutive lines, in pixel sizes.
constexpr float kLineStep = 1.3f;
// The frame rate never takes more than this share of the width from the help line.
constexpr float kFpsShareOfWidth = 1.0f / 3.0f;
// A wrapped help line gets smaller until it takes no more than this share of the height.
constexpr float kWrappedHelpShareOfHeight = 0.2f;

// The widest texts the changing slots show.
constexpr std::string_view kWidestFps = "FPS: 9999";
constexpr std::string_view kWidestCountdown = "Remaining time: 0:00.0";
constexpr std::string_view kWidestFinished = "FINISHED 0:00.0";
constexpr std::string_view kWidestBest = "BEST 0:00.0";

int outlineWidthFor(int pixelSize) {
    return std::max(1, static_cast<int>(std::lround(pixelSize / 12.0)));
}

// Room around the ink for the outline and for glyphs snapped to whole pixels.
float padding(int pixelSize) {
    return static_cast<float>(outlineWidthFor(pixelSize) + 2);
}

// The designed size for the window's height, raised to the smallest readable size on short windows.
int designSize(double heightShare, int windowHeight) {
    return std::max(HudLayout::kSmallestReadablePixels, static_cast<int>(heightShare * windowHeight));
}

class Planner {
public:
    Planner(int width, int height, const FontMetrics& metrics)
        : width(width), height(height), metrics(metrics),
          margin(std::max(2.0f, std::round(0.01f * static_cast<float>(std::min(width, height))))) {}

    HudLayout plan() {
        HudLayout layout;
        planTopBand(layout);
        planBottomBand(layout);
        const float bandBottom =
            std::max({layout.countdown.box.top, layout.replay.box.top, layout.bar.top}) + margin;
        const float bandTop = std::min(layout.fps.box.bottom, layout.help.box.bottom) - margin;
        layout.lossMessage = centredLines({std::string(kLossMessage)}, kMessageHeight, bandBottom, bandTop);
        layout.failureMessage =
            centredLines({std::string(kLevelFailureMessage)}, kFailureHeight, bandBottom, bandTop);
        planWinMessage(layout, bandBottom, bandTop);
        return layout;
    }

private:
    float inkWidth(std::string_view text, int pixelSize) const {
        const TextExtent extent = metrics.measure(text, static_cast<float>(pixelSize));
        return extent.inkRight - extent.inkLeft;
    }

    float widestInk(const std::vector<std::string>& lines, int pixelSize) const {
        float widest = 0.0f;
        for (const std::string& line : lines) {
            widest = std::max(widest, inkWidth(line, pixelSize));
        }
        return widest;
    }

    float boxWidth(const std::vector<std::string>& lines, int pixelSize) const {
        return widestInk(lines, pixelSize) + 2.0f * padding(pixelSize);
    }

    // The largest size up to `start` whose box of these lines is at most `room` wide.
    int fittingSize(const std::vector<std::string>& lines, int start, float room) const {
        int size = std::max(1, start);
        while (size > 1 && boxWidth(lines, size) > room) {
            --size;
        }
        return size;
    }

    float boxHeight(int lineCount, int pixelSize) const {
        const float size = static_cast<float>(pixelSize);
        return metrics.ascent(size) - metrics.descent(size) +
               kLineStep * size * static_cast<float>(lineCount - 1) + 2.0f * padding(pixelSize);
    }

    // A slot whose box has its anchor edge at x and its top at `top`; the box is as wide as the
    // widest of `widest` (the slot's own lines when that is empty).
    TextSlot slotFromTop(std::vector<std::string> lines, const std::vector<std::string>& widest,
                         int pixelSize, TextAnchor anchor, float anchorEdge, float top) const {
        TextSlot slot;
        slot.pixelSize = pixelSize;
        slot.anchor = anchor;
        slot.outlineWidth = outlineWidthFor(pixelSize);
        slot.lineStep = std::round(kLineStep * static_cast<float>(pixelSize));
        const float pad = padding(pixelSize);
        const float ink = widestInk(widest.empty() ? lines : widest, pixelSize);
        const int lineCount = std::max<int>(1, static_cast<int>(lines.size()));
        slot.baseline = std::floor(top - pad - metrics.ascent(static_cast<float>(pixelSize)));
        switch (anchor) {
        case TextAnchor::Left:
            slot.x = anchorEdge + pad;
            slot.box = {anchorEdge, 0.0f, anchorEdge + ink + 2.0f * pad, 0.0f};
            break;
        case TextAnchor::Centre:
            slot.x = anchorEdge;
            slot.box = {anchorEdge - 0.5f * ink - pad, 0.0f, anchorEdge + 0.5f * ink + pad, 0.0f};
            break;
        case TextAnchor::Right:
            slot.x = anchorEdge - pad;
            slot.box = {anchorEdge - ink - 2.0f * pad, 0.0f, anchorEdge, 0.0f};
            break;
        }
        slot.box.top = slot.baseline + metrics.ascent(static_cast<float>(pixelSize)) + pad;
        slot.box.bottom = slot.baseline - slot.lineStep * static_cast<float>(lineCount - 1) +
                          metrics.descent(static_cast<float>(pixelSize)) - pad;
        slot.lines = std::move(lines);
        return slot;
    }

    TextSlot slotFromBottom(std::vector<std::string> lines, const std::vector<std::string>& widest,
                            int pixelSize, TextAnchor anchor, float anchorEdge, float bottom) const {
        const int lineCount = std::max<int>(1, static_cast<int>(lines.size()));
        return slotFromTop(std::move(lines), widest, pixelSize, anchor, anchorEdge,
                           std::ceil(bottom + boxHeight(lineCount, pixelSize)));
    }

    void planTopBand(HudLayout& layout) const {
        const float top = static_cast<float>(height) - margin;
        const float right = static_cast<float>(width) - margin;
        const std::vector<std::string> widestFps = {std::string(kWidestFps)};
        const int fpsSize =
            fittingSize(widestFps, designSize(kFpsHeight, height), kFpsShareOfWidth * (right - margin));
        layout.fps = slotFromTop({}, widestFps, fpsSize, TextAnchor::Right, right, top);

        const float column = layout.fps.box.left - margin - margin;
        const auto [helpSize, lines] = planHelp(column);
        layout.help = slotFromTop(lines, {}, helpSize, TextAnchor::Left, margin, top);
    }

    // The help line on its two designed lines when they fit at a readable size; otherwise wrapped
    // at its separators, at the largest size whose block stays within its share of the height.
    std::pair<int, std::vector<std::string>> planHelp(float column) const {
        const auto entries = helpLines();
        std::vector<std::string> designed;
        for (const auto& line : entries) {
            designed.push_back(join(line));
        }
        const int start = designSize(kHelpHeight, height);
        const int fitting = fittingSize(designed, start, column);
        if (fitting >= HudLayout::kSmallestReadablePixels) {
            return {fitting, designed};
        }
        std::vector<std::string_view> all;
        for (const auto& line : entries) {
            all.insert(all.end(), line.begin(), line.end());
        }
        for (int size = start; size > 1; --size) {
            std::vector<std::string> wrapped = wrap(all, size, column);
            const bool smallEnough = boxHeight(static_cast<int>(wrapped.size()), size) <=
                                     kWrappedHelpShareOfHeight * static_cast<float>(height);
            if (!wrapped.empty() && (smallEnough || size <= HudLayout::kSmallestReadablePixels)) {
                return {size, wrapped};
            }
        }
        return {1, wrap(all, 1, column)};
    }

    static std::string join(const std::vector<std::string_view>& entries) {
        std::string line;
        for (const std::string_view entry : entries) {
            line += line.empty() ? "" : " ";
            line += entry;
        }
        return line;
    }

    // Entries filled greedily into lines no wider than the column; empty when one entry alone is
    // too wide.
    std::vector<std::string> wrap(const std::vector<std::string_view>& entries, int pixelSize,
                                  float column) const {
        std::vector<std::string> lines;
        for (const std::string_view entry : entries) {
            std::string longer = lines.empty() ? "" : lines.back() + " ";
            longer += entry;
            if (!lines.empty() && boxWidth({longer}, pixelSize) <= column) {
                lines.back() = longer;
            } else if (boxWidth({std::string(entry)}, pixelSize) <= column) {
                lines.emplace_back(entry);
            } else {
                return {};
            }
        }
        return lines;
    }

    void planBottomBand(HudLayout& layout) const {
        const float barWidth = std::round(static_cast<float>(kBarWidth * width));
        const float barHeight =
            std::max(kMinimumBarHeight, std::round(static_cast<float>(kBarHeight * height)));
        const std::vector<std::string> countdown = {std::string(kWidestCountdown)};
        const std::vector<std::string> replay = {std::string(kReplayIndicator)};
        int size = designSize(kCountdownHeight, height);
        while (size > 1 && boxWidth(countdown, size) + boxWidth(replay, size) + barWidth + 4.0f * margin >
                               static_cast<float>(width)) {
            --size;
        }
        const float right = static_cast<float>(width) - margin;
        layout.countdown = slotFromBottom({}, countdown, size, TextAnchor::Left, margin, margin);
        layout.replay =
            slotFromBottom({std::string(kReplayIndicator)}, {}, size, TextAnchor::Right, right, margin);

        // Centred where the countdown leaves room, otherwise right after it; it sits on the
        // countdown's baseline.
        const float centred = std::round(0.5f * (static_cast<float>(width) - barWidth));
        const float left = std::max(centred, std::ceil(layout.countdown.box.right + margin));
        const float bottom = layout.countdown.baseline;
        layout.bar = {left, bottom, left + barWidth, bottom + barHeight};
        layout.barBorder = kBarBorder * barHeight;
    }

    // Lines centred on the window's middle, as large as designed unless the width or the free band
    // between the top and bottom texts is too small.
    TextSlot centredLines(std::vector<std::string> lines, double heightShare, float bandBottom,
                          float bandTop) const {
        int size =
            fittingSize(lines, designSize(heightShare, height), static_cast<float>(width) - 2.0f * margin);
        while (size > 1 && boxHeight(static_cast<int>(lines.size()), size) > bandTop - bandBottom) {
            --size;
        }
        const float blockHeight = boxHeight(static_cast<int>(lines.size()), size);
        const float top = centredTop(blockHeight, bandBottom, bandTop);
        return slotFromTop(std::move(lines), {}, size, TextAnchor::Centre, 0.5f * static_cast<float>(width),
                           top);
    }

    // The top edge that centres a block of this height in the window, kept inside the free band.
    float centredTop(float blockHeight, float bandBottom, float bandTop) const {
        const float centred = std::round(0.5f * (static_cast<float>(height) + blockHeight));
        return std::clamp(centred, std::min(bandTop, bandBottom + blockHeight), bandTop);
    }

    // "FINISHED m:ss.t" with the record line under it, both centred and both shrunk alike when
    // the band is short.
    void planWinMessage(HudLayout& layout, float bandBottom, float bandTop) const {
        const std::vector<std::string> finished = {std::string(kWidestFinished)};
        const std::vector<std::string> records = {std::string(kWidestBest), std::string(kNewBest)};
        const float room = static_cast<float>(width) - 2.0f * margin;
        int messageSize = fittingSize(finished, designSize(kMessageHeight, height), room);
        int recordSize = fittingSize(records, designSize(kRecordHeight, height), room);
        const auto blockHeight = [&] {
            return boxHeight(1, messageSize) + boxHeight(1, recordSize);
        };
        while (messageSize > 1 && blockHeight() > bandTop - bandBottom) {
            messageSize = std::max(1, messageSize * 9 / 10);
            recordSize = std::max(1, std::min(recordSize, messageSize / 2));
        }
        const float top = centredTop(blockHeight(), bandBottom, bandTop);
        const float middle = 0.5f * static_cast<float>(width);
        layout.winMessage = slotFromTop({}, finished, messageSize, TextAnchor::Centre, middle, top);
        layout.record =
            slotFromTop({}, records, recordSize, TextAnchor::Centre, middle, layout.winMessage.box.bottom);
    }

    int width;
    int height;
    const FontMetrics& metrics;
    float margin;
};

} // namespace

bool HudBox::overlaps(const HudBox& other) const {
    return left < other.right && other.left < right && bottom < other.top && other.bottom < top;
}

bool HudBox::liesInside(int width, int height) const {
    return left >= 0.0f && bottom >= 0.0f && right <= static_cast<float>(width) &&
           top <= static_cast<float>(height);
}

HudLayout layOutHud(int width, int height, const FontMetrics& metrics) {
    return Planner(width, height, metrics).plan();
}

float penStart(const TextSlot& slot, const TextExtent& extent) {
    switch (slot.anchor) {
    case TextAnchor::Left:
        return slot.x - extent.inkLeft;
    case TextAnchor::Centre:
        return slot.x - 0.5f * (extent.inkLeft + extent.inkRight);
    case TextAnchor::Right:
        return slot.x - extent.inkRight;
    }
    return slot.x;
}
