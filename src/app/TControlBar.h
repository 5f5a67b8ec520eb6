#pragma once
// The tool-bar area: tool bars ("bands") placed freely in rows of RowSize pixels and moved by
// dragging their grip. A band's position is its Top (a multiple of RowSize) and Left inside the
// area, which is what nx3config.ini keeps. After every change bands are snapped to rows, empty rows
// are closed up and bands of one row are pushed apart so none overlap; with automatic sizing on,
// the area is exactly as high as its rows.
#include <QPoint>
#include <QWidget>
#include <vector>

class QToolBar;

namespace nubra::app {

class TControlBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int RowSize = 32;

    explicit TControlBar(QWidget* parent = nullptr);

    // Appends a band at the end of row `row`.
    void AddBand(QToolBar* bar, int row);
    int BandCount() const { return static_cast<int>(bands_.size()); }
    QToolBar* Band(int index) const;
    // Index of the band holding the tool bar with this object name, or -1.
    int BandIndex(const QString& barName) const;

    int BandTop(int index) const;
    int BandLeft(int index) const;
    // Places a band; the area is tidied at once unless automatic sizing is off.
    void SetBandTop(int index, int top);
    void SetBandLeft(int index, int left);

    bool AutoSize() const { return autoSize_; }
    // Switching it on tidies the bands and fits the height to the rows.
    void SetAutoSize(bool on);
    void SetAreaHeight(int height);

    // Snaps, closes up and separates the bands, then fits the height (automatic sizing on).
    void Arrange();

    QSize sizeHint() const override;

signals:
    void layoutChanged();

private:
    friend class TControlBand;
    void BandDragged(QWidget* band, QPoint topLeft);
    void BandDropped(QWidget* band);
    int IndexOf(QWidget* band) const;

    std::vector<QWidget*> bands_; // TControlBand wrappers
    bool autoSize_ = true;
};

} // namespace nubra::app
