#pragma once

// Tests define a specialisation to read a class's internals; a class names it as a friend.
template <class T> struct TTestPeer;
