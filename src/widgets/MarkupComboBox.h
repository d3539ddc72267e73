#pragma once

#include <QComboBox>

class TChooser;
class TIconImages;

// A drop-down list that shows a core chooser: its markup entries, in the box and in the
// pop-up, and its selected entry, following every change of the chooser. The user's choice
// does not change the chooser by itself: it is announced (entryChosen) for the view's change
// handler, which selects the entry in the chooser; whatever the chooser then holds is shown.
// The chooser must outlive the box.
class TMarkupComboBox final : public QComboBox {
    Q_OBJECT

public:
    TMarkupComboBox(TChooser& chooser, const TIconImages& icons, QWidget* parent = nullptr);

    QSize sizeHint() const override;

Q_SIGNALS:
    // The user picked the entry (with the mouse, the arrow keys or the wheel).
    void entryChosen(int index);
    // A letter or digit key went down in the box, as the capital letter or digit its key
    // names. While anything is connected here, these keys do nothing else: quick selection is
    // the receiver's.
    void quickKeyPressed(QChar key);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ShowChooserSelection();
    QString CurrentMarkup() const;

    TChooser& chooser_;
    const TIconImages& icons_;
};
