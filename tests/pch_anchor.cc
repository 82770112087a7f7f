// Gives the precompiled header of the tests a target of its own.
