// The older client ships the connection, directory and locale libraries without any of the entry points
// the monitor looks for: they only have to load, so this translation unit defines nothing.
