#pragma once
// A picture stretched to fill its whole box, proportions not kept. A
// picture that cannot be loaded draws nothing, leaving the box to its
// container.
#include <QSvgRenderer>
#include <QWidget>

namespace ui {

class SvgImage : public QWidget {
    Q_OBJECT
public:
    SvgImage(const QString& resourcePath, QWidget* parent);

    bool hasPicture() const { return renderer_.isValid(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSvgRenderer renderer_;
};

} // namespace ui
