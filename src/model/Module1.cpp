#include "model/Module1.h"

namespace Module1 {
float Vyska = 0.0f;
float Hmotnost = 0.0f;
} // namespace Module1
