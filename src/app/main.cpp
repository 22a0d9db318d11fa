// Entry point (filled in with the start-up sequence).
int main() { return 0; }
