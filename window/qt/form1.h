#pragma once

#include "compose/option_fragments.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;

// The one window: drop a model, set the options, copy the viewer's command line.
class Form1 final : public QWidget {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void Check1_Click();
    void Check2_Click();
    void Check3_Click();
    void Check4_Click();
    void Check5_Click();
    void Check6_Click();
    void Text2_Change();
    void Text3_Change();
    void Command1_Click();
    void Frame1_OLEDragDrop(const QString& path);
    void Timer1_Timer();
    void Text1_GotFocus();
    void Text1_KeyPress(const QKeyEvent& event);
    void Image1_DblClick();

    bool PasteFiles();
    void RefreshBox(int box);
    void ShowWarning(const QString& text);

    template <class Control>
    Control* Find(const char16_t* name) const;

    compose::OptionFragments m_fragments;

    QLabel* m_label1 = nullptr;
    QLineEdit* m_text1 = nullptr;
    std::array<QCheckBox*, 6> m_checks{};
    QLineEdit* m_text2 = nullptr;
    QLineEdit* m_text3 = nullptr;
    QLabel* m_image1 = nullptr;
};
