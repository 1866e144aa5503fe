#ifndef CORE_HELPERS_H
#define CORE_HELPERS_H

#include <functional>

class QWidget;

// Runs `act` on the first modal window shown after this call, once the event loop turns;
// a modal window still open after `deadlineMs` is rejected so no test can hang.
void whenModalShown(const std::function<void(QWidget*)>& act, int deadlineMs = 5000);

#endif // CORE_HELPERS_H
