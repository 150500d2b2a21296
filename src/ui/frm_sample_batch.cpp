#include "ui/frm_sample_batch.h"

namespace fendral::ui {

frmSampleBatch::frmSampleBatch(QWidget* parent) : QDialog(parent) { setObjectName("frmSampleBatch"); }

}  // namespace fendral::ui
