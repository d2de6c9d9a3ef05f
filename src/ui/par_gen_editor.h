#pragma once
#include "ui/translatable.h"
#include "window_logic/par_gen_editor.h"

#include <QDialog>
#include <map>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

namespace lw::ui {

class AddressRow;
class CollapsibleGroup;
class TitleStrip;

// The Set Communication editor: the 22 parameters in three collapsible groups.
class TFParGen2 : public QDialog, public Translatable {
  Q_OBJECT
public:
  TFParGen2(const ProgramFolders& folders, const OpenConfiguration& conf, const Catalogue& catalogue,
            UserMessages& messages, QWidget* parent);
  void Set_Lang() override;
  void FormShow();
  void Btn_OKClick();
  void Order_TAB_Panels();
  void Move_GroupBoxs();

  // The set the controls hold, and the reverse.
  Par_Gen_Set shown_set() const;
  void show_set(const Par_Gen_Set& set);
  // The control bound to a parameter element.
  QWidget* control(const std::string& element) const { return bindings_.at(element); }
  QWidget* named(const QString& name) const;

  TitleStrip* P_Title;
  QScrollArea* CPG;
  CollapsibleGroup* CP_DMX;
  CollapsibleGroup* CP_Modbus_Slave;
  CollapsibleGroup* CP_Ethernet;
  QLabel* L_Ethernet_Notes; // the addressing notes of the last OK, under the Ethernet group
  QPushButton* Btn_OK;
  QPushButton* Btn_Cancel;
  std::vector<QLineEdit*> octet_chain; // the dot key order of the twelve octet edits

protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void build_group(CollapsibleGroup* group, ParGenGroup which);
  QWidget* make_input(QWidget* content, const ParGenField& field, int top);
  void bind(const ParGenField& field, QWidget* control, int caption);
  bool wheel(QWheelEvent* event);
  void show_notes();

  const Catalogue& catalogue_;
  ParGenEditorLogic logic_;
  std::map<std::string, QWidget*> bindings_;
  std::map<CollapsibleGroup*, QWidget*> last_control_;
  AddressRow* last_address_ = nullptr; // the dot key goes on from it to the next address
};

} // namespace lw::ui
