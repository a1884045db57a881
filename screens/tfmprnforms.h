#pragma once

// Bonus slip print items ("賞与明細書印刷項目の設定"): as the salary screen, without attendance.

#include "screens/tfmprnformk.h"

namespace orv {

class TfmPrnFormS : public TfmPrnFormK {
    Q_OBJECT
public:
    TfmPrnFormS(Session &session, QWidget *parent = nullptr);
};

} // namespace orv
