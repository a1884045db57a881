#include "screens/tfmprnforms.h"

namespace orv {

TfmPrnFormS::TfmPrnFormS(Session &session, QWidget *parent) : TfmPrnFormK(session, SlipKind::Syoyo, parent)
{
    setObjectName("TfmPrnFormS");
}

} // namespace orv
