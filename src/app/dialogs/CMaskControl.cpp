#include "CMaskControl.h"

CMaskControl* CMaskControl::Instance()
{
    static CMaskControl* instance = new CMaskControl();
    return instance;
}
