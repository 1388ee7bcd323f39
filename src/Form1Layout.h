// The main window as it is laid out: its properties and its fourteen labels.
#pragma once
#include "window/FormLayout.h"

const FormLayout& Form1Layout();
