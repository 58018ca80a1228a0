#pragma once

#include <QString>

class TTestForm;

// Registers the test components with the class registry.
void RegisterTestClasses();

// A layout that holds every kind of value, nesting, references and handlers.
QString RichLayout();

// Checks every value, reference and handler of RichLayout() on a form that has read it.
void ExpectRichValues(const TTestForm &form);
