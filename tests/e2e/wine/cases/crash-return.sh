# A program that ends normally without undoing its changes: the platform's destructor does.
RunCase() {
    CrashCase return 0 program
}
