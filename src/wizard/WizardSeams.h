#pragma once

namespace wizard
{

// Fills the store's hooks for new reports (the wizard window and the statistics-report definition).
// The component installs them at start-up; tests that empty the hooks call it again.
void installWizardSeams();

} // namespace wizard
