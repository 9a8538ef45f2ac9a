#include "bases/FormalReceiptPageLayout.h"

#include "bases/BaseDialogIds.h"
#include "bases/CRyoushuuListBox.h"
#include "bases/CYokoRyoushuListBox.h"

#include "shared/controls/CEcrEdit.h"
#include "shared/controls/FindControlById.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace dunmarel {

namespace {

using namespace FormalReceiptIds;

// The previews' size on the page.
constexpr int kVerticalWidth = 240;
constexpr int kVerticalHeight = 392;
constexpr int kHorizontalWidth = 563;
constexpr int kHorizontalHeight = 220;

QLabel* Label(QWidget* page, const char* key, unsigned id)
{
    auto* label = new QLabel(QLatin1String(key), page);
    label->setWordWrap(true);
    if (id)
        SetControlId(label, id);
    return label;
}

void AddLine(QGridLayout* grid, QLabel* label, QWidget* control)
{
    const int line = grid->rowCount();
    grid->addWidget(label, line, 0, Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(control, line, 1, Qt::AlignLeft);
}

// A radio pair in a group of its own, so that each pair is exclusive by itself.
QWidget* RadioPair(QWidget* page, unsigned firstId, const char* firstKey, const char* secondKey)
{
    auto* group = new QWidget(page);
    auto* box = new QHBoxLayout(group);
    box->setContentsMargins(0, 0, 0, 0);
    unsigned id = firstId;
    for (const char* key : {firstKey, secondKey}) {
        auto* radio = new QRadioButton(QLatin1String(key), group);
        SetControlId(radio, id++);
        box->addWidget(radio);
    }
    box->addStretch();
    return group;
}

QWidget* Edit(QWidget* page, unsigned id)
{
    auto* edit = new CEcrEdit(page);
    edit->setMinimumWidth(260);
    SetControlId(edit, id);
    return edit;
}

} // namespace

bool BuildFormalReceiptPageControls(unsigned pageId, QWidget* page)
{
    if (pageId != IDD_PAGE_EASY_FORMALRECEIPT)
        return false;
    auto* outer = new QHBoxLayout(page);
    auto* left = new QVBoxLayout;
    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    left->addLayout(grid);

    auto* type = new QComboBox(page);
    SetControlId(type, TypeCombo);
    AddLine(grid, Label(page, "CRDC_BS_LABEL_JPRYOUSHUU_TYPE", TypeLabel), type);
    grid->addWidget(Label(page, "CRDC_STATIC_JRYOUSHUU_EXPLAIN", Explain), grid->rowCount(), 0, 1,
                    2);
    AddLine(
        grid, Label(page, "CRDC_BS_LABEL_JPRYOUSHUU_LOGO", LogoLabel),
        RadioPair(page, LogoText, "CRDC_BS_RADIO_JPRYOUSHUU_TEXT", "CRDC_BS_RADIO_JPRYOUSHUU_IMG"));
    AddLine(
        grid, Label(page, "CRDC_BS_LABEL_JPRYOUSHUU_SHO", WordLabel),
        RadioPair(page, Word1, "CRDC_BS_RADIO_JPRYOUSHUU_SHO", "CRDC_BS_RADIO_JPRYOUSHUU_SHO2"));
    AddLine(grid, Label(page, "CRDC_BS_LABEL_JPRYOUSHUU_TITLE", 1000), Edit(page, Title));
    const char* const messageKeys[] = {"CRDC_BS_LABEL_JPRYOUSHUU_MESSAGE1",
                                       "CRDC_BS_LABEL_JPRYOUSHUU_MESSAGE2",
                                       "CRDC_BS_LABEL_JPRYOUSHUU_MESSAGE3"};
    for (unsigned k = 0; k < 3; ++k)
        AddLine(grid, Label(page, messageKeys[k], 1001 + k), Edit(page, Message1 + k));
    AddLine(grid, Label(page, "CRDC_BS_LABEL_JPRYOUSHUU_REQUIRED", 1004), Edit(page, Inshi));
    AddLine(grid, Label(page, "CRDC_BS_LABEL_JPRYOUSHUU_PROOF", ProofLabel),
            RadioPair(page, ProofYes, "CRDS_BS_ITEM_YES", "CRDS_BS_ITEM_NO"));
    left->addStretch();
    outer->addLayout(left, 1);

    auto* right = new QVBoxLayout;
    right->addWidget(Label(page, "CRDC_BS_LABEL_RECEIPT_PREVIEW", PreviewLabel));
    auto* widthBox = new QGroupBox(page);
    SetControlId(widthBox, WidthGroup);
    auto* widthLine = new QHBoxLayout(widthBox);
    widthLine->addWidget(Label(page, "CRDC_BS_LABEL_JPRYOUSHUU_WIDTH", WidthLabel));
    unsigned id = Paper58;
    for (const char* key : {"CRDC_BS_RADIO_JPRYOUSHUU_58MM", "CRDC_BS_RADIO_JPRYOUSHUU_80MM"}) {
        auto* radio = new QRadioButton(QLatin1String(key), widthBox);
        SetControlId(radio, id++);
        widthLine->addWidget(radio);
    }
    widthLine->addStretch();
    right->addWidget(widthBox);
    for (unsigned previewId : {unsigned(Preview58), unsigned(Preview80)}) {
        auto* preview = new CRyoushuuListBox(page);
        SetControlId(preview, previewId);
        preview->setFixedSize(kVerticalWidth, kVerticalHeight);
        preview->hide();
        right->addWidget(preview);
    }
    auto* horizontal = new CYokoRyoushuListBox(page);
    SetControlId(horizontal, PreviewHorz);
    horizontal->setFixedSize(kHorizontalWidth, kHorizontalHeight);
    right->addWidget(horizontal);
    right->addWidget(Label(page, "CRDC_BS_LABEL_RECEIPT_EXPLAIN", ExplainVert));
    right->addWidget(Label(page, "CRDC_BS_LABEL_RECEIPT_EXPLAIN_HORZ", ExplainHorz));
    right->addStretch();
    outer->addLayout(right);
    return true;
}

} // namespace dunmarel
