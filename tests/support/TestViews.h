#pragma once

class ViewRunner;

namespace test {

// The test program's one view runner, made by the shared main() as the program
// makes its own: over the installed view host, with the portfolio's edits
// redrawing a shown holdings or log view. Test programs with the views only.
ViewRunner& views();

} // namespace test
