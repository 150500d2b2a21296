#pragma once

// What the program hands the window library, which it loads only when a window is to be shown, so
// that --preview and --launch never load the toolkit's widget and graphics libraries. Plain C, as it
// crosses from the program into the library.
extern "C" {

struct FendralWindowRequest {
  int* argumentCount;  // for QApplication, which keeps both for its whole life
  char** arguments;
  const char* settingsFile;
  const char* saveFile;  // the file Save writes
  int gameChoice;        // a launch::GameChoice
  int gameType;          // a launch::GameType
  const char* engine;    // --engine's program for this run; null for the saved Engine=
};

// Shows the main window and runs it until the program ends; the program's exit status.
using FendralOpenWindow = int(const FendralWindowRequest* request);
// Shows the message box with `prompt` and returns when it is closed.
using FendralShowMessage = void(const FendralWindowRequest* request, const char* prompt);
}

#define FENDRAL_OPEN_WINDOW "fendral_open_window"
#define FENDRAL_SHOW_MESSAGE "fendral_show_message"
