#include "ui/about_window.h"

#include "core/catalogue.h"
#include "core/identity.h"
#include "ui/link_label.h"
#include "ui/qt_text.h"
#include "ui/widgets.h"

#include <QIcon>
#include <QPushButton>

namespace lw::ui {

using namespace Qt::StringLiterals;

namespace {
QLabel* place(QWidget* parent, int x, int y, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->move(x, y);
  label->adjustSize();
  return label;
}
} // namespace

TFAbout::TFAbout(const Catalogue& catalogue, UrlOpener& urls, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      catalogue_(catalogue), logic_(urls) {
  setObjectName("FAbout");
  setWindowTitle(u"About..."_s);
  setFixedSize(435, 162);

  auto* logo = new ClickableLabel(this);
  logo->setGeometry(32, 24, 96, 96);
  logo->setScaledContents(true);
  logo->setCursor(Qt::PointingHandCursor);
  connect(logo, &ClickableLabel::clicked, this, &TFAbout::Label4Click);
  Image2 = logo;

  Label1 = place(this, 143, 24, u"Software Loomwork "_s);
  QFont bold = Label1->font();
  bold.setBold(true);
  Label1->setFont(bold);
  Label1->adjustSize();
  Label2 = place(this, 143, 39, q(kSW_Desc));
  Label6 = place(this, 143, 62, u"Software Code : "_s);
  Label9 = place(this, 255, 62, q(kSW_Code));
  Label3 = place(this, 143, 77, u"Version :"_s);
  Label10 = place(this, 255, 77, q(SW_Version));
  Label8 = place(this, 143, 92, u"Document Code :"_s);
  Label12 = place(this, 255, 92, q(Manual_Code));
  Label5 = place(this, 143, 107, u"Language Ver :"_s);
  Label7 = place(this, 255, 107, q(catalogue.Language_Version));

  auto* link = new LinkLabel(q(kVendorHost), this);
  set_text_colour(link, QColor(0x06, 0x45, 0xad));
  QFont underlined = link->font();
  underlined.setUnderline(true);
  link->setFont(underlined);
  link->place({323, 141}, 430);
  connect(link, &ClickableLabel::clicked, this, &TFAbout::Label4Click);
  Label4 = link;

  LbButton1 = new FocusButton(u"OK"_s, this);
  LbButton1->setObjectName("LbButton1");
  LbButton1->setGeometry(32, 132, 96, 22);
  LbButton1->setDefault(true);
  connect(LbButton1, &QPushButton::clicked, this, &QDialog::accept);
}

void TFAbout::FormShow() {
  // Drawn at the first showing, through the icon engine: cheaper at start.
  if (Image2->pixmap().isNull()) Image2->setPixmap(QIcon(u":/icons/logo.svg"_s).pixmap(96, 96));
  Label2->setText(q(kSW_Desc));
  Label9->setText(q(kSW_Code));
  Label10->setText(q(SW_Version));
  Label12->setText(q(Manual_Code));
  Label7->setText(q(catalogue_.Language_Version));
  for (QLabel* l : {Label2, Label9, Label10, Label12, Label7})
    l->adjustSize();
  setFixedSize(435, 162);
  // The link comes first in creation; Enter at the showing still closes.
  LbButton1->setFocus();
}

void TFAbout::Label4Click() { logic_.Label4Click(); }

void TFAbout::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

} // namespace lw::ui
