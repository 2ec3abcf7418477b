#pragma once

// What a screen reader hears from a one-line text field: its name and its whole
// value, on focus and on "where am I".
namespace field_accessible {

// Gives every QLineEdit of its own (not the editor inside a drop-down list or a
// spin box) the interface below.
void Install();

}  // namespace field_accessible
