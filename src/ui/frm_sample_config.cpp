#include "ui/frm_sample_config.h"

namespace fendral::ui {

frmSampleConfig::frmSampleConfig(QWidget* parent) : QDialog(parent) { setObjectName("frmSampleConfig"); }

}  // namespace fendral::ui
