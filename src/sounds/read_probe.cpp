// Not yet built: shows a clear "not yet" until this job lands.
#include "shell/form1.h"

namespace lg81xx {

void Form1::Command4_Click() { fail(JobResult::bad_input, "FUNZIONE NON ANCORA DISPONIBILE"); }

}  // namespace lg81xx
