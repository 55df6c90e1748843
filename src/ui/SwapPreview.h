// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <memory>

class QPrintPreviewWidget;

namespace Ui {
class SwapPreview;
}

namespace sorario {

class PreviewDocument;
class PreviewQuestions;

// The print preview with each sheet's questions beside the pages: 「入れ替え」 swaps
// the chosen one and shows the pages laid out again; 「印刷」 prints what is shown.
class SwapPreview : public QDialog
{
    Q_OBJECT

public:
    SwapPreview(PreviewDocument &document, PreviewQuestions &questions, QWidget *parent = nullptr);
    ~SwapPreview() override;

    bool printed() const { return m_printed; }

private Q_SLOTS:
    void cmdSwap_Click();
    void cmdPrint_Click();

private:
    void listQuestions();

    std::unique_ptr<Ui::SwapPreview> m_ui;
    PreviewDocument &m_document;
    PreviewQuestions &m_questions;
    QPrintPreviewWidget *m_pages = nullptr;
    bool m_printed = false;
};

} // namespace sorario
