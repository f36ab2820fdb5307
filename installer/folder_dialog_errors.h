#pragma once

// Messages of the exceptions that select_folder throws when the system's folder dialog fails, by
// step; every platform reports them alike.
namespace installer::folder_dialog_errors {

inline constexpr const char* create = "unable to create the folder \"select\" dialog box";
inline constexpr const char* setup = "unable to setup the folder \"select\" dialog box";
inline constexpr const char* display = "unable to display the folder \"select\" dialog box";
inline constexpr const char* selection = "unable to retrieve the selection from the folder \"select\" dialog box";
inline constexpr const char* result = "unable to retrieve a result from the folder \"select\" dialog box";

} // namespace installer::folder_dialog_errors
