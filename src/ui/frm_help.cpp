#include "ui/frm_help.h"

namespace fendral::ui {

frmHelp::frmHelp(QWidget* parent) : QDialog(parent) { setObjectName("frmHelp"); }

}  // namespace fendral::ui
