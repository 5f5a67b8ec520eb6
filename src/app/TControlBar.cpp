#include "TControlBar.h"

#include <QToolBar>
#include <algorithm>
#include <map>

#include "TControlBand.h"

namespace nubra::app {

TControlBar::TControlBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ControlBar"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(0);
}

void TControlBar::AddBand(QToolBar* bar, int row) {
    auto* band = new TControlBand(bar, this);
    band->setFixedSize(band->sizeHint().width(), RowSize);
    int left = 0;
    for (QWidget* other : bands_) {
        if (other->y() == row * RowSize)
            left = std::max(left, other->x() + other->width());
    }
    band->move(left, row * RowSize);
    bands_.push_back(band);
    band->show();
    if (autoSize_)
        Arrange();
}

QToolBar* TControlBar::Band(int index) const {
    return static_cast<TControlBand*>(bands_.at(static_cast<size_t>(index)))->Bar();
}

int TControlBar::BandIndex(const QString& barName) const {
    for (size_t i = 0; i < bands_.size(); ++i) {
        if (static_cast<TControlBand*>(bands_[i])->Bar()->objectName() == barName)
            return static_cast<int>(i);
    }
    return -1;
}

int TControlBar::BandTop(int index) const {
    return bands_.at(static_cast<size_t>(index))->y();
}

int TControlBar::BandLeft(int index) const {
    return bands_.at(static_cast<size_t>(index))->x();
}

void TControlBar::SetBandTop(int index, int top) {
    QWidget* band = bands_.at(static_cast<size_t>(index));
    band->move(band->x(), top);
    if (autoSize_)
        Arrange();
}

void TControlBar::SetBandLeft(int index, int left) {
    QWidget* band = bands_.at(static_cast<size_t>(index));
    band->move(left, band->y());
    if (autoSize_)
        Arrange();
}

void TControlBar::SetAutoSize(bool on) {
    autoSize_ = on;
    if (on)
        Arrange();
}

void TControlBar::SetAreaHeight(int height) {
    setFixedHeight(std::max(0, height));
}

void TControlBar::Arrange() {
    // Row of each band: its Top rounded to the nearest row, rows then numbered without gaps.
    std::map<int, std::vector<size_t>> rows;
    for (size_t i = 0; i < bands_.size(); ++i) {
        const int top = std::max(0, bands_[i]->y());
        rows[(top + RowSize / 2) / RowSize].push_back(i);
    }
    int row = 0;
    for (auto& [unused, members] : rows) {
        std::sort(members.begin(), members.end(), [this](size_t a, size_t b) {
            const int xa = bands_[a]->x();
            const int xb = bands_[b]->x();
            return xa != xb ? xa < xb : a < b;
        });
        int right = 0;
        for (size_t i : members) {
            QWidget* band = bands_[i];
            const int left = std::max(band->x(), right);
            band->move(left, row * RowSize);
            right = left + band->width();
        }
        ++row;
    }
    if (autoSize_)
        setFixedHeight(row * RowSize);
    emit layoutChanged();
}

QSize TControlBar::sizeHint() const {
    return {QWidget::sizeHint().width(), height()};
}

int TControlBar::IndexOf(QWidget* band) const {
    const auto it = std::find(bands_.begin(), bands_.end(), band);
    return it == bands_.end() ? -1 : static_cast<int>(it - bands_.begin());
}

void TControlBar::BandDragged(QWidget* band, QPoint topLeft) {
    band->move(std::max(0, topLeft.x()), std::clamp(topLeft.y(), 0, height()));
}

void TControlBar::BandDropped(QWidget* band) {
    if (IndexOf(band) >= 0)
        Arrange();
}

} // namespace nubra::app
