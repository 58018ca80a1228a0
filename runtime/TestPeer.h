#pragma once

// Tests define it for a class to read that class's internals; the class names it as a friend.
template <class T> struct TTestPeer;
