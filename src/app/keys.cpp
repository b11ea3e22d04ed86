#include "app/keys.h"

#include "app/main_form.h"

namespace plumix {

void HandleKey(TMain&, uint16_t) {}

}  // namespace plumix
