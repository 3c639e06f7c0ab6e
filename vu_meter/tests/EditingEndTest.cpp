// A press anywhere in the window other than on the field being edited (the face,
// the meter, a button, a slider, the back panel) ends the editing of the
// track-name strip and the latency entry as a loss of focus does: nothing typed
// is committed, and the press does what it always does. The kit's suites hold
// the checks: OneNeedleWindowEditing here, and the window going small in
// MeterWindow.
#include "EditorTestSupport.h"

#include "OneNeedleEditingEndSuite.h"

namespace vyrkelsom::editortest
{
INSTANTIATE_TYPED_TEST_SUITE_P(KelsoM, OneNeedleWindowEditing, Window);
} // namespace vyrkelsom::editortest
