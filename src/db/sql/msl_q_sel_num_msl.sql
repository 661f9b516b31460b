select * from  JournalMsl, name_electro where  JournalMsl.JournalMsl_id=:id and
JournalMsl.name_electro_id=name_electro.name_electro_id
