#pragma once
// A framed box with its caption on the top edge and one radio button per
// item in a single column. Exactly one item is selected; only the selected
// item's button is a tab stop, so Tab visits the group once, on its choice.
#include <QGroupBox>
#include <QStringList>
#include <vector>

class QRadioButton;

namespace ui {

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    // Item 0 starts selected.
    RadioGroup(const QString& caption, const QStringList& items, QWidget* parent);

    int itemIndex() const;
    QRadioButton* itemButton(int index) const;

Q_SIGNALS:
    // The selection moved to another item (by click or keyboard); selecting
    // the item that is already selected sends nothing.
    void selectionChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;
    // An etched frame with the caption set into its top edge; drawn here
    // rather than by the style, whose frame vanishes on a bright colour.
    void paintEvent(QPaintEvent* event) override;

private:
    void arrangeItems();

    std::vector<QRadioButton*> buttons_;
};

} // namespace ui
