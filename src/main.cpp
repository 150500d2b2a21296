// Placeholder until the main window is built.
int main() { return 0; }
