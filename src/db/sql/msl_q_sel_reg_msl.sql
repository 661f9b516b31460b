select * from RegMsl where JournalMsl_id=:id
