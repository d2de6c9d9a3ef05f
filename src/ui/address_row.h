#pragma once
#include <QObject>
#include <array>

class QLineEdit;
class QWidget;

namespace lw::ui {

// The four small edits of a dotted address with dots between them, made in
// `parent` from (left, top) in tab order. The dot key moves to the next
// field, from the last one on to the first field of the row chained after
// it, and is never inserted.
class AddressRow : public QObject {
  Q_OBJECT
public:
  static constexpr int kFieldWidth = 44;
  static constexpr int kDotWidth = 10;
  static constexpr int kHeight = 24;

  AddressRow(QWidget* parent, int left, int top);
  void chain_to(const AddressRow* next) { next_ = next; }

  std::array<QLineEdit*, 4> fields;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  QLineEdit* after(QObject* field) const;

  const AddressRow* next_ = nullptr;
};

} // namespace lw::ui
