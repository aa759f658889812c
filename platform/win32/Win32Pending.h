// The temporary files the process has created and not yet put in place or
// deleted, so that an interrupted command can remove them.
#pragma once

void AddPendingFile(const char* path);
void DropPendingFile(const char* path);
