#include "ui/plain_text.h"

#include <QLabel>
#include <QTextDocument>
#include <QWidget>

namespace lw::ui {

void labels_as_plain_text(QWidget* root) {
  for (QLabel* label : root->findChildren<QLabel*>())
    if (label->textFormat() == Qt::AutoText) label->setTextFormat(Qt::PlainText);
}

QString plain_tool_tip(const QString& text) {
  if (!Qt::mightBeRichText(text)) return text;
  return QStringLiteral("<qt>") + text.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>")) +
         QStringLiteral("</qt>");
}

} // namespace lw::ui
