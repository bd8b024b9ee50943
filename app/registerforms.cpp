#include "app/registerforms.h"

namespace app {

void registerAllForms()
{
}

} // namespace app
