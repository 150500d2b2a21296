#include "ui/frm_help.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

#include "ui/help_texts.h"
#include "ui/screen_reader_names.h"
#include "ui/two_row_tab_panel.h"

namespace fendral::ui {

namespace {

constexpr int kTabsPerRow = 3;
constexpr int kFirstShownTab = 5;  // "Custom Games"

QLabel* makeLabel(const HelpItem& item, QWidget* page) {
  auto* label = new QLabel(QString::fromUtf8(item.text), page);
  label->setWordWrap(true);
  QPalette pal = label->palette();
  QFont font = proseFont();
  switch (item.kind) {
    case HelpItem::Kind::Title:
      font = titleFont(20.25);
      label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
      pal.setColor(QPalette::WindowText, Qt::black);
      break;
    case HelpItem::Kind::Heading:
      font.setBold(true);
      pal.setColor(QPalette::WindowText, Qt::black);
      break;
    case HelpItem::Kind::Text:
      pal.setColor(QPalette::WindowText, windowTeal());
      break;
    case HelpItem::Kind::Signature:
      font.setItalic(true);
      label->setAlignment(Qt::AlignRight | Qt::AlignBottom);
      pal.setColor(QPalette::WindowText, Qt::black);
      break;
  }
  label->setFont(font);
  label->setPalette(pal);
  return label;
}

QWidget* makePage(const HelpTab& tab) {
  auto page = std::make_unique<QWidget>();
  auto* column = new QVBoxLayout(page.get());
  column->setContentsMargins(2, 2, 2, 2);
  column->setSpacing(1);
  for (const HelpItem& item : tab.items) {
    // The signature sits at the lower right, whatever the page holds above it.
    if (item.kind == HelpItem::Kind::Signature) column->addStretch(1);
    column->addWidget(makeLabel(item, page.get()));
    if (item.kind == HelpItem::Kind::Text || item.kind == HelpItem::Kind::Title) column->addSpacing(6);
  }
  if (tab.items.empty() || tab.items.back().kind != HelpItem::Kind::Signature) column->addStretch(1);
  return page.release();  // the tab panel takes it
}

}  // namespace

frmHelp::frmHelp(QWidget* parent)
    : FixedTextDialog(parent, QStringLiteral("frmHelp"), QStringLiteral("Fendral Help"), {365, 379}) {
  lblHelpTitle_ = new QLabel(QStringLiteral("Fendral   Help"), this);
  lblHelpTitle_->setObjectName(QStringLiteral("lblHelpTitle"));
  lblHelpTitle_->setFont(titleFont(18));
  lblHelpTitle_->setAlignment(Qt::AlignCenter);
  lblHelpTitle_->setGeometry(0, 4, 365, 32);

  tabHelp_ = new TwoRowTabPanel(kTabsPerRow, this);
  tabHelp_->setObjectName(QStringLiteral("tabHelp"));
  nameForScreenReaders(tabHelp_, QStringLiteral("Help topics"));
  tabHelp_->setGeometry(4, 40, 357, 300);
  for (const HelpTab& tab : helpTabs()) tabHelp_->addTab(makePage(tab), QString::fromUtf8(tab.caption));
  tabHelp_->setCurrentIndex(kFirstShownTab);

  cmdQuitHelp_ = new QPushButton(QStringLiteral("&Ok"), this);
  cmdQuitHelp_->setObjectName(QStringLiteral("cmdQuitHelp"));
  cmdQuitHelp_->setGeometry((365 - 81) / 2, 346, 81, 27);
  cmdQuitHelp_->setDefault(true);
  connect(cmdQuitHelp_, &QPushButton::clicked, this, &frmHelp::cmdQuitHelp_Click);

  setTabOrder(cmdQuitHelp_, tabHelp_);
  setFocusOnOpen(cmdQuitHelp_);
}

void frmHelp::cmdQuitHelp_Click() {
  hide();
}

}  // namespace fendral::ui
